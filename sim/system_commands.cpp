#include "sim/system_commands.h"

#include "sim/scpi_error.h"
#include "sim/text_util.h"

namespace sim {

namespace {

using Answer = std::optional<std::string>;

int registerValue(const ScpiRequest& request) {
    expectParameters(request, 1);
    const auto value = parseInteger(request.parameters().front());
    if (!value) {
        throw ScpiError{scpi::kDataTypeError};
    }
    if (*value < 0 || *value > 65535) {
        throw ScpiError{scpi::kDataOutOfRange};
    }
    return static_cast<int>(*value);
}

Answer number(const ScpiRequest& request, int value) {
    expectParameters(request, 0);
    return std::to_string(value);
}

void registerCommonCommands(CommandTable& table, InstrumentState& state) {
    table.addCommand("*RST", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        state.resetSettings();
        return std::nullopt;
    });
    table.addCommand("*CLS", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        state.errors.clear();
        state.status.clearEvents();
        return std::nullopt;
    });
    // Every command completes before the next is read, so the operation is complete at once.
    table.addCommand("*OPC", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        state.status.noteOperationComplete();
        return std::nullopt;
    });
    table.addQuery("*OPC", [](const ScpiRequest& request) { return number(request, 1); });
    table.addQuery("*STB", [&state](const ScpiRequest& request) {
        return number(request, state.status.statusByte(!state.errors.empty()));
    });
    table.addQuery("*ESR", [&state](const ScpiRequest& request) {
        return number(request, state.status.takeStandardEvent());
    });
    table.addCommand("*ESE", [&state](const ScpiRequest& request) -> Answer {
        state.status.setStandardEventEnable(registerValue(request));
        return std::nullopt;
    });
    table.addQuery("*ESE", [&state](const ScpiRequest& request) {
        return number(request, state.status.standardEventEnable());
    });
    table.addQuery("*IDN", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        return state.config.identity;
    });
    // The simulator has already waited the calibration time when this runs.
    table.addQuery("*CAL", [&state](const ScpiRequest& request) {
        const int result = state.config.calibrationResult;
        state.status.setQuestionable(StatusRegisters::kQuestionableCalibration, result != 0);
        return number(request, result);
    });
}

void registerOperationStatus(CommandTable& table, InstrumentState& state) {
    table.addQuery("STATus:OPERation:CONDition", [&state](const ScpiRequest& request) {
        return number(request, state.status.operationCondition());
    });
    table.addQuery("STATus:OPERation:[EVENt]", [&state](const ScpiRequest& request) {
        return number(request, state.status.takeOperationEvent());
    });
    table.addCommand("STATus:OPERation:ENABle", [&state](const ScpiRequest& request) -> Answer {
        state.status.setOperationEnable(registerValue(request));
        return std::nullopt;
    });
    table.addQuery("STATus:OPERation:ENABle", [&state](const ScpiRequest& request) {
        return number(request, state.status.operationEnable());
    });
}

void registerQuestionableStatus(CommandTable& table, InstrumentState& state) {
    table.addQuery("STATus:QUEStionable:CONDition", [&state](const ScpiRequest& request) {
        return number(request, state.status.questionableCondition());
    });
    table.addQuery("STATus:QUEStionable:[EVENt]", [&state](const ScpiRequest& request) {
        return number(request, state.status.takeQuestionableEvent());
    });
    table.addCommand("STATus:QUEStionable:ENABle", [&state](const ScpiRequest& request) -> Answer {
        state.status.setQuestionableEnable(registerValue(request));
        return std::nullopt;
    });
    table.addQuery("STATus:QUEStionable:ENABle", [&state](const ScpiRequest& request) {
        return number(request, state.status.questionableEnable());
    });
    table.addCommand("STATus:PRESet", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        state.status.setOperationEnable(0);
        state.status.setQuestionableEnable(0);
        return std::nullopt;
    });
}

void registerSystemSubsystem(CommandTable& table, InstrumentState& state) {
    table.addQuery("SYSTem:ERRor", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        const auto error = state.errors.pop();
        return formatInstrumentError(error.value_or(InstrumentError{0, "No error"}));
    });
    table.addQuery("SYSTem:CTYPe", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 1);
        const int position = channelOffset(singleChannelParameter(request)) / kChannelsPerScp;
        return state.config.scpTypes.at(static_cast<std::size_t>(position));
    });
}

}  // namespace

void registerSystemCommands(CommandTable& table, InstrumentState& state) {
    registerCommonCommands(table, state);
    registerOperationStatus(table, state);
    registerQuestionableStatus(table, state);
    registerSystemSubsystem(table, state);
}

}  // namespace sim
