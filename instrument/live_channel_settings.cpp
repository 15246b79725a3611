// The live instrument's channel settings: input and output, the sense
// functions with their parameters, references, digital channels and sources.

#include <cmath>

#include "instrument/live_instrument.h"
#include "instrument/scpi_text.h"

using scpi::Format;
using std::string;

namespace {

constexpr double kLowStrainExcitation = 0.01;
constexpr double kAdjustedStrainExcitation = 0.01001;
constexpr double kLowCurrentAmplitude = 0.00003;
constexpr double kCurrentAmplitudeTolerance = 0.000001;

bool IsAuto(const string& range) {
    return range == "AUTO";
}

const char* TemperatureSensorType(const string& subtype) {
    switch (scpi::IntegerValue(subtype)) {
        case 85:
        case 92:
            return "RTD";
        case 2250:
        case 5000:
        case 10000:
            return "THER";
        default:
            return "TC";
    }
}

const char* DigitalFunctionName(int kind) {
    switch (kind) {
        case 1:
            return "FREQ";
        case 2:
            return "TOT";
        default:
            return "COND";
    }
}

}  // namespace

void LiveInstrument::SetFilterFrequency(const string& channels, const string& value) {
    Command(Format("INP:FILT:LPAS:FREQ %s,(@%s)", value.c_str(), channels.c_str()));
}

void LiveInstrument::SetExcitationVoltage(const string& channels, const string& value) {
    Command(Format("OUTP:VOLT:AMPL %s,(@%s)", value.c_str(), channels.c_str()));
}

void LiveInstrument::SetInputGain(const string& channels, const string& value) {
    Command(Format("INP:GAIN %s,(@%s)", value.c_str(), channels.c_str()));
}

void LiveInstrument::SetInputLow(const string& channels, const string& value) {
    Command(Format("INP:LOW %s,(@%s)", scpi::TrimmedUpper(value).c_str(), channels.c_str()));
}

Text LiveInstrument::QueryFilterFrequency(const string& channel) {
    return QueryText(Format("INP:FILT:LPAS:FREQ? (@%ld)", scpi::MappedChannel(channel)),
                     kShortAnswerSize);
}

Text LiveInstrument::QueryExcitationVoltage(const string& channel) {
    return QueryText(Format("OUTP:VOLT:AMPL? (@%ld)", scpi::MappedChannel(channel)),
                     kTextAnswerSize);
}

Text LiveInstrument::QueryInputGain(const string& channel) {
    return QueryText(Format("INP:GAIN? (@%ld)", scpi::MappedChannel(channel)), kTextAnswerSize);
}

Text LiveInstrument::QueryInputLow(const string& channel) {
    return QueryText(Format("INP:LOW? (@%ld)", scpi::MappedChannel(channel)), kTextAnswerSize);
}

void LiveInstrument::SetCurrentAmplitude(const string& channels, const string& value) {
    Command(Format("OUTP:CURR:AMPL %s,(@%s)", scpi::TrimmedUpper(value).c_str(), channels.c_str()));
}

// 0 for the low range (30 µA), 1 for anything else.
int LiveInstrument::QueryCurrentAmplitude(const string& channel) {
    const double amplitude =
        QueryReal(Format("OUTP:CURR:AMPL? (@%ld)", scpi::MappedChannel(channel)));
    return std::abs(amplitude - kLowCurrentAmplitude) < kCurrentAmplitudeTolerance ? 0 : 1;
}

void LiveInstrument::SetCurrentState(const string& channels, const string& value) {
    Command(Format("OUTP:CURR %s,(@%s)", scpi::TrimmedUpper(value).c_str(), channels.c_str()));
}

// The panels' state is the inverse of the instrument's: 1 when the source is off.
int LiveInstrument::QueryCurrentState(const string& channel) {
    return QueryInteger(Format("OUTP:CURR:STATE? (@%ld)", scpi::MappedChannel(channel))) == 0 ? 1
                                                                                              : 0;
}

void LiveInstrument::SetStrainGageFactor(const string& channels, const string& value) {
    Command(Format("SENS:STR:GFAC %s,(@%s)", value.c_str(), channels.c_str()));
}

// The instrument takes 0.01 only as 0.01001.
void LiveInstrument::SetStrainExcitation(const string& channels, const string& value) {
    double excitation = scpi::RealValue(value);
    if (excitation == kLowStrainExcitation) {
        excitation = kAdjustedStrainExcitation;
    }
    Command(Format("SENS:STR:EXC %g,(@%s)", excitation, channels.c_str()));
}

void LiveInstrument::SetStrainPoisson(const string& channels, const string& value) {
    Command(Format("SENS:STR:POIS %s,(@%s)", value.c_str(), channels.c_str()));
}

Text LiveInstrument::QueryStrainGageFactor(const string& channels) {
    return QueryText(Format("SENS:STR:GFAC? (@%s)", channels.c_str()), kTextAnswerSize);
}

Text LiveInstrument::QueryStrainExcitation(const string& channels) {
    return QueryText(Format("SENS:STR:EXC? (@%s)", channels.c_str()), kTextAnswerSize);
}

Text LiveInstrument::QueryStrainPoisson(const string& channels) {
    return QueryText(Format("SENS:STR:POIS? (@%s)", channels.c_str()), kTextAnswerSize);
}

void LiveInstrument::SetResistanceFunction(const string& channels, const string& excitation,
                                           const string& range) {
    if (IsAuto(range)) {
        Command(Format("SENS:FUNC:RES %s,(@%s)", excitation.c_str(), channels.c_str()));
        return;
    }
    Command(
        Format("SENS:FUNC:RES %s,%s,(@%s)", excitation.c_str(), range.c_str(), channels.c_str()));
}

void LiveInstrument::SetStrainFunction(const string& channels, const string& bridge,
                                       const string& range) {
    if (IsAuto(range)) {
        Command(Format("SENS:FUNC:STRAIN:%s (@%s)", bridge.c_str(), channels.c_str()));
        return;
    }
    Command(
        Format("SENS:FUNC:STRAIN:%s %s,(@%s)", bridge.c_str(), range.c_str(), channels.c_str()));
}

void LiveInstrument::SetTemperatureFunction(const string& channels, const string& subtype,
                                            const string& range) {
    const char* type = TemperatureSensorType(subtype);
    if (IsAuto(range)) {
        Command(Format("SENS:FUNC:TEMP %s,%s,(@%s)", type, subtype.c_str(), channels.c_str()));
        return;
    }
    Command(Format("SENS:FUNC:TEMP %s,%s,%s,(@%s)", type, subtype.c_str(), range.c_str(),
                   channels.c_str()));
}

void LiveInstrument::SetVoltageFunction(const string& channels, const string& range) {
    if (IsAuto(range)) {
        Command(Format("FUNC:VOLT (@%s)", channels.c_str()));
        return;
    }
    Command(Format("FUNC:VOLT %s,(@%s)", range.c_str(), channels.c_str()));
}

void LiveInstrument::SetInputFilterState(const string& channels, const string& state) {
    Command(Format("INP:FILT:STATE %s,(@%s)", state.c_str(), channels.c_str()));
}

void LiveInstrument::SetOutputPolarity(const string& channels, const string& value) {
    Command(Format("OUTP:POL %s,(@%s)", value.c_str(), channels.c_str()));
}

void LiveInstrument::SetInputPolarity(const string& channels, const string& value) {
    Command(Format("INP:POL %s,(@%s)", value.c_str(), channels.c_str()));
}

void LiveInstrument::SetOutputType(const string& channels, const string& value) {
    Command(Format("OUTP:TYPE %s,(@%s)", value.c_str(), channels.c_str()));
}

string LiveInstrument::QueryInputFilterState(const string& channels) {
    return QueryText(Format("INP:FILT? (@%s)", channels.c_str()), kTextAnswerSize);
}

string LiveInstrument::QueryOutputPolarity(const string& channels) {
    return QueryText(Format("OUTP:POL? (@%s)", channels.c_str()), kTextAnswerSize);
}

string LiveInstrument::QueryOutputType(const string& channels) {
    return QueryText(Format("OUTP:TYPE? (@%s)", channels.c_str()), kTextAnswerSize);
}

string LiveInstrument::QueryInputPolarity(const string& channels) {
    return QueryText(Format("INP:POL? (@%s)", channels.c_str()), kTextAnswerSize);
}

void LiveInstrument::SetDigitalFunction(const string& channels, int kind) {
    Command(Format("SENS:FUNC:%s (@%s)", DigitalFunctionName(kind), channels.c_str()));
}

void LiveInstrument::SetReferenceTemperature(const string& value) {
    Command(Format("SENS:REF:TEMP %s", value.c_str()));
}

void LiveInstrument::SetReferenceChannel(const string& channels, const string& referenceChannel) {
    Command(Format("SENS:REF:CHAN (@%s),(@%s)", referenceChannel.c_str(), channels.c_str()));
}

void LiveInstrument::SetReference(const string& channels, const string& type, const string& subtype,
                                  const string& range) {
    Command(Format("SENS:REF %s,%s,%s,(@%s)", type.c_str(), subtype.c_str(), range.c_str(),
                   channels.c_str()));
}

void LiveInstrument::SetTotalizerResetMode(const string& channels, const string& mode) {
    Command(Format("SENS:TOT:RES:MODE %s,(@%s)", mode.c_str(), channels.c_str()));
}

void LiveInstrument::SetFrequencyAperture(const string& channels, const string& value) {
    Command(Format("SENS:FREQ:APER %s,(@%s)", value.c_str(), channels.c_str()));
}

void LiveInstrument::SetStrainUnstrained(const string& channels, const string& value) {
    Command(Format("SENS:STR:UNST %s,(@%s)", value.c_str(), channels.c_str()));
}

void LiveInstrument::SetSourceFm(const string& channels, const string& value) {
    Command(Format("SOUR:FM %s,(@%s)", value.c_str(), channels.c_str()));
}

void LiveInstrument::SetSourceFunction(const string& channels, const string& function) {
    Command(Format("SOUR:FUNC:%s (@%s)", function.c_str(), channels.c_str()));
}

void LiveInstrument::SetSourcePulseModulation(const string& channels, const string& value) {
    Command(Format("SOUR:PULM %s,(@%s)", value.c_str(), channels.c_str()));
}

void LiveInstrument::SetPulsePeriod(const string& channels, const string& value) {
    Command(Format("SOUR:PULS:PER %s,(@%s)", value.c_str(), channels.c_str()));
}

void LiveInstrument::SetPulseWidth(const string& channels, const string& value) {
    Command(Format("SOUR:PULS:WID %s,(@%s)", value.c_str(), channels.c_str()));
}

string LiveInstrument::QueryScpType(int channel) {
    return QueryText(Format("SYST:CTYP? (@%d)", channel), kTextAnswerSize);
}

void LiveInstrument::SetDebounceTime(const string& channels, double time) {
    Command(Format("INP:DEB:TIME %g,(@%s)", time, channels.c_str()));
}

string LiveInstrument::QueryThreshold(const string& channels) {
    return QueryText(Format("INP:THR? (@%s)", channels.c_str()), kTextAnswerSize);
}
