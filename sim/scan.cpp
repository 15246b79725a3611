#include "sim/scan.h"

#include "sim/setting_keys.h"
#include "sim/text_util.h"

namespace sim {

namespace {

bool channelFlag(const InstrumentState& state, const char* key, int channel) {
    return state.settings.channelValue(key, channel) == "1";
}

double channelNumber(const InstrumentState& state, const char* key, int channel) {
    return storedNumber(state.settings.channelValue(key, channel));
}

// CALC:LIM ON checks both limits; LOW:STAT and UPP:STAT switch one side on its own.
// A limit is read only when its side is checked: every scan asks for every channel.
void checkLimits(InstrumentState& state, int channel, double value) {
    const bool all = channelFlag(state, key::kLimitState, channel);
    const bool checkLower = all || channelFlag(state, key::kLowerLimitState, channel);
    const bool checkUpper = all || channelFlag(state, key::kUpperLimitState, channel);
    const bool below = checkLower && value < channelNumber(state, key::kLowerLimit, channel);
    const bool above = checkUpper && value > channelNumber(state, key::kUpperLimit, channel);
    if (below || above) {
        state.data.flagLimit(channelOffset(channel));
    }
}

}  // namespace

double storedNumber(const std::string& text) {
    return parseReal(text).value_or(0.0);
}

Measurement::Plan measurementPlan(const InstrumentState& state) {
    const std::string& source = state.settings.global(key::kTriggerSource);
    Measurement::Plan plan;
    const bool continuous = state.settings.global(key::kContinuous) == "1";
    plan.count =
        continuous ? 0 : static_cast<long>(storedNumber(state.settings.global(key::kTriggerCount)));
    plan.softwareTrigger = source == "HOLD" || source == "BUS";
    if (source == "IMM") {
        plan.interval = state.config.scanTime;
    } else if (source == "TIM") {
        const std::chrono::duration<double> timer(
            storedNumber(state.settings.global(key::kTriggerTimer)));
        plan.interval = std::chrono::duration_cast<Measurement::Clock::duration>(timer);
    }
    return plan;
}

void performScan(InstrumentState& state) {
    for (const int channel : state.scanLists.channels(0)) {
        const int offset = channelOffset(channel);
        const double value = state.signals.next(offset) - state.data.tare(offset);
        state.data.storeReading(offset, value);
        checkLimits(state, channel, value);
    }
}

void advanceMeasurement(InstrumentState& state, std::chrono::steady_clock::time_point now) {
    for (int due = state.measurement.takeDueScans(now); due > 0; --due) {
        performScan(state);
    }
    state.syncOperationStatus();
}

}  // namespace sim
