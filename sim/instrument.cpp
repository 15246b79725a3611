#include "sim/instrument.h"

#include "sim/channel_commands.h"
#include "sim/data_commands.h"
#include "sim/scan.h"
#include "sim/scpi_error.h"
#include "sim/scpi_message.h"
#include "sim/system_commands.h"
#include "sim/trigger_commands.h"

namespace sim {

Instrument::Instrument() {
    registerSystemCommands(commands_, state_);
    registerTriggerCommands(commands_, state_);
    registerChannelCommands(commands_, state_);
    registerDataCommands(commands_, state_);
    powerOn(SignalSource::kDefaultSeed);
}

void Instrument::powerOn(std::uint32_t seed) {
    state_.resetSettings();
    state_.errors.clear();
    state_.status.reset();
    state_.data.reset();
    state_.signals.reseed(seed);
}

std::optional<std::string> Instrument::execute(std::string_view message, Clock::time_point now) {
    advance(now);
    std::optional<std::string> answer;
    try {
        const ScpiMessage parsed = parseScpiMessage(message);
        if (!parsed.empty()) {
            answer = commands_.execute(parsed, now);
        }
    } catch (const ScpiError& error) {
        state_.queueError(error.code);
    }
    state_.syncOperationStatus();
    return answer;
}

void Instrument::advance(Clock::time_point now) {
    advanceMeasurement(state_, now);
}

bool Instrument::isCalibration(std::string_view message) {
    if (message.find('*') == std::string_view::npos) {
        return false;  // not a common command: spared a second parse
    }
    try {
        const ScpiMessage parsed = parseScpiMessage(message);
        return parsed.query && parsed.headerWords == std::vector<std::string>{"*CAL"};
    } catch (const ScpiError&) {
        return false;
    }
}

}  // namespace sim
