#include "sim/channel_commands.h"

#include <utility>
#include <vector>

#include "sim/scpi_error.h"
#include "sim/setting_keys.h"
#include "sim/text_util.h"

namespace sim {

namespace {

using Answer = std::optional<std::string>;

struct ChannelSetting {
    const char* notation;
    ValueSpec rule;
};

// Settings sent as "<header> <value>,(@<channels>)" and queried as
// "<header>? (@<channel>)"; the query answers for the list's first channel.
std::vector<ChannelSetting> channelSettings() {
    const auto normalInverted = [] { return ValueSpec::choice({"NORMal", "INVerted"}, "NORM"); };
    return {
        {"INPut:FILTer:[LPASs]:FREQuency", ValueSpec::real(2, 2, 100)},
        {"INPut:FILTer:[LPASs]:[STATe]", ValueSpec::boolean(false)},
        {"INPut:GAIN", ValueSpec::real(1, 1, 512)},
        {"INPut:LOW", ValueSpec::choice({"FLOat", "WVOLtage"}, "FLO")},
        {"INPut:POLarity", normalInverted()},
        {"INPut:DEBounce:TIME", ValueSpec::real(0, 0, 10)},
        {"INPut:THReshold", ValueSpec::text("TTL")},
        {"OUTPut:VOLTage:[AMPLitude]", ValueSpec::real(0, 0, 16)},
        {"OUTPut:CURRent:AMPLitude", ValueSpec::real(30e-6, 30e-6, 488e-6)},
        {"OUTPut:CURRent:[STATe]", ValueSpec::boolean(false)},
        {"OUTPut:POLarity", normalInverted()},
        {"OUTPut:TYPE", ValueSpec::choice({"PASSive", "ACTive"}, "PASS")},
        {"[SENSe]:STRain:GFACtor", ValueSpec::real(2, 1, 5)},
        {"[SENSe]:STRain:EXCitation", ValueSpec::real(3.9, 0.01, 99)},
        {"[SENSe]:STRain:POISson", ValueSpec::real(0.3, 0, 0.5)},
        {"[SENSe]:STRain:UNSTrained", ValueSpec::real(0, -1e3, 1e3)},
        {"[SENSe]:FREQuency:APERture", ValueSpec::real(1e-3, 1e-6, 16)},
        {"[SENSe]:TOTalize:RESet:MODE", ValueSpec::choice({"INIT", "TRIGger"}, "INIT")},
        {"SOURce:FM:[STATe]", ValueSpec::boolean(false)},
        {"SOURce:PULM:[STATe]", ValueSpec::boolean(false)},
        {"SOURce:PULSe:PERiod", ValueSpec::real(1e-3, 25e-6, 7.8125e-3)},
        {"SOURce:PULSe:WIDth", ValueSpec::real(1e-4, 7.87e-6, 7.8125e-3)},
        {key::kLimitState, ValueSpec::boolean(false)},
        {key::kLowerLimitState, ValueSpec::boolean(false)},
        {key::kUpperLimitState, ValueSpec::boolean(false)},
        {key::kLowerLimit, ValueSpec::real(-1e37, -1e37, 1e37)},
        {key::kUpperLimit, ValueSpec::real(1e37, -1e37, 1e37)},
    };
}

void addChannelSetting(CommandTable& table, InstrumentState& state, const ChannelSetting& setting) {
    const std::string key = setting.notation;
    state.settings.defineChannelSetting(key, setting.rule);
    table.addCommand(key, [&state, key](const ScpiRequest& request) -> Answer {
        expectParameters(request, 2);
        state.settings.setForChannels(key, channelsParameter(request),
                                      request.parameters().front());
        return std::nullopt;
    });
    table.addQuery(key, [&state, key](const ScpiRequest& request) -> Answer {
        expectParameters(request, 1);
        return state.settings.channelValue(key, channelsParameter(request).front());
    });
}

void addChannelQuery(CommandTable& table, InstrumentState& state, const char* key) {
    table.addQuery(key, [&state, key](const ScpiRequest& request) -> Answer {
        expectParameters(request, 1);
        return state.settings.channelValue(key, channelsParameter(request).front());
    });
}

// A range parameter: AUTO or a number (kept as sent, upper-cased).
std::string rangeText(const std::string& text) {
    const std::string range = toUpper(trim(text));
    if (range != "AUTO") {
        parseScpiNumber(range);
    }
    return range;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const auto& part : parts) {
        text += (text.empty() ? "" : ",") + part;
    }
    return text;
}

// Stores a sense function for the channels, as "<function>,<arguments>".
void setFunction(InstrumentState& state, const ScpiRequest& request, const std::string& function,
                 std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), function);
    state.settings.setForChannels(key::kFunction, channelsParameter(request), joined(arguments));
}

// "[<range>,](@<channels>)": the range defaults to AUTO.
std::string optionalRange(const ScpiRequest& request, std::size_t fixedBefore) {
    expectParameters(request, fixedBefore + 1, fixedBefore + 2);
    return request.parameters().size() == fixedBefore + 2
               ? rangeText(request.parameters()[fixedBefore])
               : "AUTO";
}

void registerVoltageAndResistance(CommandTable& table, InstrumentState& state) {
    table.addCommand("[SENSe]:FUNCtion:VOLTage", [&state](const ScpiRequest& request) -> Answer {
        setFunction(state, request, "VOLT", {optionalRange(request, 0)});
        return std::nullopt;
    });
    table.addCommand("[SENSe]:FUNCtion:RESistance", [&state](const ScpiRequest& request) -> Answer {
        const std::string range = optionalRange(request, 1);
        const ValueSpec excitation = ValueSpec::real(30e-6, 30e-6, 488e-6);
        setFunction(state, request, "RES",
                    {excitation.normalize(request.parameters().front()), range});
        return std::nullopt;
    });
}

void registerStrainAndTemperature(CommandTable& table, InstrumentState& state) {
    table.addCommand(
        "[SENSe]:FUNCtion:STRain:<bridge>", [&state](const ScpiRequest& request) -> Answer {
            const ValueSpec bridges = ValueSpec::choice(
                {"FBENding", "FBPoisson", "FPOisson", "HBENding", "HPOisson", "QUARter"}, "QUAR");
            const std::string bridge = bridges.normalize(request.header.words.front());
            setFunction(state, request, "STR:" + bridge, {optionalRange(request, 0)});
            return std::nullopt;
        });
    table.addCommand(
        "[SENSe]:FUNCtion:TEMPerature", [&state](const ScpiRequest& request) -> Answer {
            const std::string range = optionalRange(request, 2);
            const ValueSpec types = ValueSpec::choice({"TC", "RTD", "THERmistor"}, "TC");
            const std::string type = types.normalize(request.parameters()[0]);
            setFunction(state, request, "TEMP", {type, toUpper(request.parameters()[1]), range});
            return std::nullopt;
        });
}

void registerDigitalFunctions(CommandTable& table, InstrumentState& state) {
    const std::pair<const char*, const char*> functions[] = {
        {"[SENSe]:FUNCtion:CONDition", "COND"},
        {"[SENSe]:FUNCtion:FREQuency", "FREQ"},
        {"[SENSe]:FUNCtion:TOTalize", "TOT"},
    };
    for (const auto& [notation, name] : functions) {
        const std::string function = name;
        table.addCommand(notation, [&state, function](const ScpiRequest& request) -> Answer {
            expectParameters(request, 1);
            setFunction(state, request, function, {});
            return std::nullopt;
        });
    }
}

void registerSenseFunctions(CommandTable& table, InstrumentState& state) {
    state.settings.defineChannelSetting(key::kFunction, ValueSpec::text("VOLT,AUTO"));
    registerVoltageAndResistance(table, state);
    registerStrainAndTemperature(table, state);
    registerDigitalFunctions(table, state);
    addChannelQuery(table, state, key::kFunction);
}

void registerSourceFunction(CommandTable& table, InstrumentState& state) {
    state.settings.defineChannelSetting(key::kSourceFunction, ValueSpec::text("COND"));
    table.addCommand("SOURce:FUNCtion:<shape>", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 1);
        const ValueSpec shapes = ValueSpec::choice({"CONDition", "PULSe", "SQUare"}, "COND");
        const std::string shape = shapes.normalize(request.header.words.front());
        state.settings.setForChannels(key::kSourceFunction, channelsParameter(request), shape);
        return std::nullopt;
    });
    addChannelQuery(table, state, key::kSourceFunction);
}

void registerReferences(CommandTable& table, InstrumentState& state) {
    state.settings.defineChannelSetting(key::kReference, ValueSpec::text("THER,5000,AUTO"));
    state.settings.defineChannelSetting(key::kReferenceChannel, ValueSpec::text(""));
    state.settings.defineGlobalSetting("[SENSe]:REFerence:TEMPerature",
                                       ValueSpec::real(25, -126, 126));
    table.addCommand(key::kReference, [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 4);
        const ValueSpec types = ValueSpec::choice({"THERmistor", "RTD"}, "THER");
        const auto& parameters = request.parameters();
        const std::string text = joined(
            {types.normalize(parameters[0]), toUpper(parameters[1]), rangeText(parameters[2])});
        state.settings.setForChannels(key::kReference, channelsParameter(request), text);
        return std::nullopt;
    });
    addChannelQuery(table, state, key::kReference);
    // "SENS:REF:CHAN (@<reference>),(@<channels>)": the reference channel comes first.
    table.addCommand(key::kReferenceChannel, [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 2);
        const std::vector<int> reference = parseChannelList(request.parameters().front());
        if (reference.size() != 1) {
            throw ScpiError{scpi::kIllegalParameterValue};
        }
        state.settings.setForChannels(key::kReferenceChannel, channelsParameter(request),
                                      std::to_string(reference.front()));
        return std::nullopt;
    });
    addChannelQuery(table, state, key::kReferenceChannel);
    table.addCommand(
        "[SENSe]:REFerence:TEMPerature", [&state](const ScpiRequest& request) -> Answer {
            expectParameters(request, 1);
            state.settings.setGlobal("[SENSe]:REFerence:TEMPerature", request.parameters().front());
            return std::nullopt;
        });
    table.addQuery("[SENSe]:REFerence:TEMPerature", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        return state.settings.global("[SENSe]:REFerence:TEMPerature");
    });
}

// A tare takes the level each channel rests at, so later readings swing around zero.
void registerTare(CommandTable& table, InstrumentState& state) {
    table.addCommand("CALibration:TARE", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 1);
        for (const int channel : channelsParameter(request)) {
            const int offset = channelOffset(channel);
            state.data.setTare(offset, state.signals.baseline(offset));
        }
        return std::nullopt;
    });
    table.addQuery("CALibration:TARE", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        return std::to_string(state.config.tareResult);
    });
    table.addCommand("CALibration:TARE:RESet", [&state](const ScpiRequest& request) -> Answer {
        expectParameters(request, 0);
        state.data.resetTare();
        return std::nullopt;
    });
    table.addCommand("CALibration:STORe", [](const ScpiRequest& request) -> Answer {
        expectParameters(request, 1);
        ValueSpec::choice({"ADC", "TARE"}, "ADC").normalize(request.parameters().front());
        return std::nullopt;
    });
}

}  // namespace

void registerChannelCommands(CommandTable& table, InstrumentState& state) {
    for (const auto& setting : channelSettings()) {
        addChannelSetting(table, state, setting);
    }
    registerSenseFunctions(table, state);
    registerSourceFunction(table, state);
    registerReferences(table, state);
    registerTare(table, state);
}

}  // namespace sim
