#include "sim/data_commands.h"

#include <utility>

#include "sim/scpi_error.h"
#include "sim/setting_keys.h"
#include "sim/text_util.h"

namespace sim {

namespace {

using Answer = std::optional<std::string>;

constexpr const char* kAverageCount = "CALCulate:AVERage:COUNt";
constexpr const char* kAverageState = "CALCulate:AVERage:[STATe]";

void addGlobalSetting(CommandTable& table, InstrumentState& state, const char* key,
                      ValueSpec rule) {
    state.settings.defineGlobalSetting(key, std::move(rule));
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

// "FORM PACK, 64": the type and its length; the CVT and FIFO reads of the
// driver hand over binary values whatever is set.
void registerFormat(CommandTable& table, InstrumentState& state) {
    table.addCommand("FORMat:[DATA]", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 1, 2);
        const ValueSpec types = ValueSpec::choice({"ASCii", "PACKed", "REAL"}, "ASC");
        const std::string type = types.normalize(request.parameters().front());
        const std::string standardLength = type == "ASC" ? "7" : "64";
        const std::string length =
            request.parameters().size() == 2 ? trim(request.parameters()[1]) : standardLength;
        if (length != standardLength && !(type != "ASC" && length == "32")) {
            throw ScpiError{scpi::kIllegalParameterValue};
        }
        state.dataFormat = type + "," + length;
        return std::nullopt;
    });
    table.addQuery("FORMat:[DATA]", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        return state.dataFormat;
    });
}

void registerCvtAndFifo(CommandTable& table, InstrumentState& state) {
    table.addCommand("[SENSe]:DATA:CVTable:RESet", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        state.data.resetCvt();
        return std::nullopt;
    });
    table.addQuery("[SENSe]:DATA:FIFO:COUNt", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        return std::to_string(state.data.fifoCount());
    });
    table.addCommand("[SENSe]:DATA:FIFO:RESet", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        state.data.resetFifo();
        return std::nullopt;
    });
    state.settings.defineGlobalSetting(key::kFifoMode,
                                       ValueSpec::choice({"BLOCk", "OVERwrite"}, "BLOC"));
    table.addCommand(key::kFifoMode, [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 1);
        state.settings.setGlobal(key::kFifoMode, request.parameters().front());
        state.data.setFifoOverwrite(state.settings.global(key::kFifoMode) == "OVER");
        return std::nullopt;
    });
    table.addQuery(key::kFifoMode, [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        return state.settings.global(key::kFifoMode);
    });
}

void registerCalculate(CommandTable& table, InstrumentState& state) {
    table.addQuery("CALCulate:CLIMits:FLIMits:CUMulative",
                   [&state](const ScpiRequest& request) -> Answer {
                       expectParameters(request, 0);
                       std::string text;
                       for (const auto word : state.data.limitFlags()) {
                           text += (text.empty() ? "" : ",") + std::to_string(word);
                       }
                       return text;
                   });
    addGlobalSetting(table, state, kAverageCount, ValueSpec::integer(2, 1, 32767));
    addGlobalSetting(table, state, kAverageState, ValueSpec::boolean(false));
    addGlobalSetting(table, state, "[SENSe]:FILTer:[LPASs]:[STATe]", ValueSpec::boolean(false));
}

// "'<algorithm>','<name>'": the two quoted names of the ALG:SCALAR forms.
std::pair<std::string, std::string> algorithmNames(const ScpiRequest& request) {
    const std::string algorithm = unquote(request.parameters()[0]);
    if (!AlgorithmStore::validName(algorithm)) {
        throw ScpiError{scpi::kIllegalParameterValue};
    }
    return {algorithm, unquote(request.parameters()[1])};
}

void registerAlgorithms(CommandTable& table, InstrumentState& state) {
    table.addCommand("ALGorithm:SCALar", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 3);
        const auto [algorithm, variable] = algorithmNames(request);
        state.algorithms.setScalar(algorithm, variable, parseScpiNumber(request.parameters()[2]));
        return std::nullopt;
    });
    table.addQuery("ALGorithm:SCALar", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 2);
        const auto [algorithm, variable] = algorithmNames(request);
        const auto value = state.algorithms.scalar(algorithm, variable);
        if (!value) {
            throw ScpiError{scpi::kIllegalParameterValue};
        }
        return formatReal(*value);
    });
    table.addCommand("ALGorithm:UPDate", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        state.algorithms.update();
        return std::nullopt;
    });
}

}  // namespace

void registerDataCommands(CommandTable& table, InstrumentState& state) {
    registerFormat(table, state);
    registerCvtAndFifo(table, state);
    registerCalculate(table, state);
    registerAlgorithms(table, state);
}

}  // namespace sim
