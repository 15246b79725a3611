#pragma once
// The signals on the 64 channels: per channel a sine with its own offset,
// amplitude, period and phase, plus a little noise, all drawn from one seeded
// generator so that runs repeat.

#include <array>
#include <cstdint>
#include <random>

#include "sim/channel_list.h"

namespace sim {

class SignalSource {
public:
    static constexpr std::uint32_t kDefaultSeed = 7720;

    explicit SignalSource(std::uint32_t seed = kDefaultSeed) { reseed(seed); }

    void reseed(std::uint32_t seed);
    // The next reading of the channel at this offset (0..63).
    double next(int offset);
    // The level the channel's signal swings around (what a tare removes).
    double baseline(int offset) const {
        return channels_.at(static_cast<std::size_t>(offset)).offset;
    }

private:
    struct Channel {
        double offset = 0.0;
        double amplitude = 0.0;
        double period = 1.0;  // in scans
        double phase = 0.0;
        long step = 0;
    };

    double uniform(double low, double high);

    std::mt19937 engine_;
    std::array<Channel, kChannelCount> channels_{};
};

}  // namespace sim
