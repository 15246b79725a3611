#pragma once
// The simulated QOT7720: its state and its SCPI command set.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sim/command_table.h"
#include "sim/instrument_state.h"

namespace sim {

class Instrument {
public:
    using Clock = std::chrono::steady_clock;

    Instrument();
    // The command handlers hold references into the state.
    Instrument(const Instrument&) = delete;
    Instrument& operator=(const Instrument&) = delete;

    // Back to the power-on state; the configuration stays.
    void powerOn(std::uint32_t seed);

    // Runs one SCPI message; an error becomes an error-queue entry. Returns
    // the answer of a query, nothing for a command or a failed query.
    std::optional<std::string> execute(std::string_view message, Clock::time_point now);
    // Lets the running measurement catch up with the clock.
    void advance(Clock::time_point now);

    // *CAL? keeps the instrument busy for the calibration time before it answers.
    static bool isCalibration(std::string_view message);

    InstrumentState& state() { return state_; }
    const InstrumentState& state() const { return state_; }

private:
    InstrumentState state_;
    CommandTable commands_;
};

}  // namespace sim
