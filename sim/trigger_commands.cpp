#include "sim/trigger_commands.h"

#include "sim/scan.h"
#include "sim/scpi_error.h"
#include "sim/setting_keys.h"
#include "sim/text_util.h"

namespace sim {

namespace {

using Answer = std::optional<std::string>;

constexpr long kHighestTriggerCount = 65535;

void defineTriggerSettings(SettingStore& settings) {
    settings.defineGlobalSetting(
        key::kTriggerSource,
        ValueSpec::choice({"IMMediate", "HOLD", "BUS", "TIMer", "EXTernal", "SCP", "TTLTrg#"},
                          "IMM"));
    settings.defineGlobalSetting(
        "ARM:SOURce",
        ValueSpec::choice({"IMMediate", "HOLD", "BUS", "EXTernal", "SCP", "TTLTrg#"}, "IMM"));
    settings.defineGlobalSetting(key::kTriggerTimer, ValueSpec::real(0.001, 1e-4, 6.5536));
    settings.defineGlobalSetting("TRIGger:TIMer:MODE",
                                 ValueSpec::choice({"ASYNchronous", "SYNChronous"}, "ASYN"));
    settings.defineGlobalSetting(key::kTriggerCount,
                                 ValueSpec::integer(1, 0, kHighestTriggerCount));
    settings.defineGlobalSetting(key::kContinuous, ValueSpec::boolean(false));
}

void addGlobalSetting(CommandTable& table, InstrumentState& state, const char* key) {
    table.addCommand(key, [&state, key](const ScpiRequest& request) -> Answer {
        expectParameters(request, 1);
        state.settings.setGlobal(key, request.parameters().front());
        return std::nullopt;
    });
    table.addQuery(key, [&state, key](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        return state.settings.global(key);
    });
}

void start(InstrumentState& state, std::chrono::steady_clock::time_point now) {
    if (!state.measurement.start(measurementPlan(state), now)) {
        throw ScpiError{scpi::kInitIgnored};
    }
    state.data.clearLimitFlags();
    state.syncOperationStatus();
}

void registerMeasurementControl(CommandTable& table, InstrumentState& state) {
    table.addCommand("INITiate:[IMMediate]", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        start(state, request.now);
        return std::nullopt;
    });
    table.addCommand("ABORt", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        state.measurement.abort();
        state.syncOperationStatus();
        return std::nullopt;
    });
    table.addCommand("TRIGger:IMMediate", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        if (!state.measurement.softwareTrigger()) {
            throw ScpiError{scpi::kTriggerIgnored};
        }
        performScan(state);
        state.syncOperationStatus();
        return std::nullopt;
    });
    // Continuous initiation re-arms after every scan: ON starts an endless
    // measurement, OFF ends the running one.
    table.addCommand(key::kContinuous, [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 1);
        state.settings.setGlobal(key::kContinuous, request.parameters().front());
        const bool on = state.settings.global(key::kContinuous) == "1";
        if (on && !state.measurement.running()) {
            start(state, request.now);
        } else if (!on) {
            state.measurement.abort();
            state.syncOperationStatus();
        }
        return std::nullopt;
    });
    table.addQuery(key::kContinuous, [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        return state.settings.global(key::kContinuous);
    });
}

// TRIG:COUNT takes INF (kept as 0, which means no end) besides 0..65535.
void registerTriggerCount(CommandTable& table, InstrumentState& state) {
    table.addCommand(key::kTriggerCount, [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 1);
        const std::string& value = request.parameters().front();
        state.settings.setGlobal(key::kTriggerCount,
                                 equalsIgnoreCase(trim(value), "INF") ? "0" : value);
        return std::nullopt;
    });
    table.addQuery(key::kTriggerCount, [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        return state.settings.global(key::kTriggerCount);
    });
}

int listParameter(const std::string& text, bool timers) {
    const auto index =
        timers ? ScanLists::timerIndex(trim(text)) : ScanLists::listIndex(trim(text));
    if (!index) {
        throw ScpiError{scpi::kIllegalParameterValue};
    }
    return *index;
}

void registerSampleTimer(CommandTable& table, InstrumentState& state) {
    const ValueSpec timer =
        ValueSpec::real(ScanLists::kMinimumSampleTimer, ScanLists::kMinimumSampleTimer,
                        ScanLists::kMaximumSampleTimer);
    table.addCommand("SAMPle:TIMer", [&state, timer](const ScpiRequest& request) -> Answer {
        expectParameters(request, 1, 2);
        const double seconds = storedNumber(timer.normalize(request.parameters().front()));
        if (request.parameters().size() == 1) {
            state.scanLists.setAllSampleTimers(seconds);
        } else {
            state.scanLists.setSampleTimer(listParameter(request.parameters()[1], true), seconds);
        }
        return std::nullopt;
    });
    table.addQuery("SAMPle:TIMer", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0, 1);
        const int index =
            request.parameters().empty() ? 0 : listParameter(request.parameters().front(), true);
        return formatReal(state.scanLists.sampleTimer(index));
    });
}

std::string joinNumbers(const std::vector<int>& channels, bool modules) {
    std::string text;
    for (const int channel : channels) {
        text += text.empty() ? "" : ",";
        text += std::to_string(modules ? channel / 100 : channel % 100);
    }
    return text;
}

// Answers are one entry per channel of the list: its number on the card
// (CHAN, 0..63) or the card number (MOD).
void registerScanLists(CommandTable& table, InstrumentState& state) {
    table.addCommand("ROUTe:SEQuence:DEFine", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 2);
        const int list = listParameter(request.parameters().front(), false);
        state.scanLists.define(list, parseChannelList(request.parameters()[1]));
        return std::nullopt;
    });
    table.addQuery("ROUTe:SEQuence:DEFine", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 1, 2);
        const int list = listParameter(request.parameters().front(), false);
        const std::string mode =
            request.parameters().size() == 2 ? toUpper(request.parameters()[1]) : "CHAN";
        if (mode != "CHAN" && mode != "MOD") {
            throw ScpiError{scpi::kIllegalParameterValue};
        }
        return joinNumbers(state.scanLists.channels(list), mode == "MOD");
    });
}

constexpr int kTtlLines = 8;
constexpr const char* kTtlSource = "OUTPut:TTLTrg:SOURce";

std::string ttlKey(const ScpiRequest& request) {
    const int line = request.header.suffixes.front();
    if (line >= kTtlLines) {
        throw ScpiError{scpi::kHeaderSuffixOutOfRange};
    }
    return "OUTPut:TTLTrg" + std::to_string(line);
}

// The eight TTL trigger lines the instrument can drive, and what drives them.
void registerTtlOutputs(CommandTable& table, InstrumentState& state) {
    for (int line = 0; line < kTtlLines; ++line) {
        state.settings.defineGlobalSetting("OUTPut:TTLTrg" + std::to_string(line),
                                           ValueSpec::boolean(false));
    }
    table.addCommand("OUTPut:TTLTrg#:[STATe]", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 1);
        state.settings.setGlobal(ttlKey(request), request.parameters().front());
        return std::nullopt;
    });
    table.addQuery("OUTPut:TTLTrg#:[STATe]", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        return state.settings.global(ttlKey(request));
    });
    state.settings.defineGlobalSetting(
        kTtlSource, ValueSpec::choice({"TRIGger", "FTRigger", "SCP", "ALGorithm"}, "TRIG"));
    addGlobalSetting(table, state, kTtlSource);
}

}  // namespace

void registerTriggerCommands(CommandTable& table, InstrumentState& state) {
    defineTriggerSettings(state.settings);
    registerMeasurementControl(table, state);
    registerTriggerCount(table, state);
    addGlobalSetting(table, state, key::kTriggerSource);
    addGlobalSetting(table, state, "ARM:SOURce");
    addGlobalSetting(table, state, key::kTriggerTimer);
    addGlobalSetting(table, state, "TRIGger:TIMer:MODE");
    registerSampleTimer(table, state);
    registerScanLists(table, state);
    registerTtlOutputs(table, state);
}

}  // namespace sim
