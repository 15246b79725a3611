#include "sim/scan.h"

#include "sim/setting_keys.h"
#include "sim/text_util.h"

namespace sim {

namespace {

// A scan checks every channel's limits: each setting is found once a scan
// and then read by channel.
struct LimitSettings {
    explicit LimitSettings(const SettingStore& settings)
        : both(settings.channelValues(key::kLimitState)),
          lower(settings.channelValues(key::kLowerLimitState)),
          upper(settings.channelValues(key::kUpperLimitState)),
          lowerLimit(settings.channelValues(key::kLowerLimit)),
          upperLimit(settings.channelValues(key::kUpperLimit)) {}
    const SettingStore::ChannelValues& both;
    const SettingStore::ChannelValues& lower;
    const SettingStore::ChannelValues& upper;
    const SettingStore::ChannelValues& lowerLimit;
    const SettingStore::ChannelValues& upperLimit;
};

bool isOn(const std::string& flag) {
    return flag == "1";
}

// CALC:LIM ON checks both limits; LOW:STAT and UPP:STAT switch one side on its own.
// A limit is read only when its side is checked.
void checkLimits(InstrumentState& state, const LimitSettings& limits, int channel, double value) {
    const auto offset = static_cast<std::size_t>(channelOffset(channel));
    const bool all = isOn(limits.both.at(offset));
    const bool checkLower = all || isOn(limits.lower.at(offset));
    const bool checkUpper = all || isOn(limits.upper.at(offset));
    const bool below = checkLower && value < storedNumber(limits.lowerLimit.at(offset));
    const bool above = checkUpper && value > storedNumber(limits.upperLimit.at(offset));
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
    const LimitSettings limits(state.settings);
    for (const int channel : state.scanLists.channels(0)) {
        const int offset = channelOffset(channel);
        const double value = state.signals.next(offset) - state.data.tare(offset);
        state.data.storeReading(offset, value);
        checkLimits(state, limits, channel, value);
    }
}

void advanceMeasurement(InstrumentState& state, std::chrono::steady_clock::time_point now) {
    for (int due = state.measurement.takeDueScans(now); due > 0; --due) {
        performScan(state);
    }
    state.syncOperationStatus();
}

}  // namespace sim
