#include "sim/signal_source.h"

#include <cmath>

namespace sim {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kNoise = 0.005;

}  // namespace

void SignalSource::reseed(std::uint32_t seed) {
    engine_.seed(seed);
    for (auto& channel : channels_) {
        channel.offset = uniform(-1.0, 1.0);
        channel.amplitude = uniform(0.1, 1.0);
        channel.period = uniform(8.0, 64.0);
        channel.phase = uniform(0.0, kTwoPi);
        channel.step = 0;
    }
}

double SignalSource::next(int offset) {
    Channel& channel = channels_.at(static_cast<std::size_t>(offset));
    const double angle =
        kTwoPi * static_cast<double>(channel.step) / channel.period + channel.phase;
    ++channel.step;
    return channel.offset + channel.amplitude * std::sin(angle) + uniform(-kNoise, kNoise);
}

// Scaled by hand rather than with std::uniform_real_distribution, whose output
// differs between standard libraries; the engine's sequence is fixed by the standard.
double SignalSource::uniform(double low, double high) {
    const double unit = static_cast<double>(engine_()) / 4294967296.0;
    return low + (high - low) * unit;
}

}  // namespace sim
