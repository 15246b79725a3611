#include "instrument/live_instrument.h"

#include <algorithm>
#include <array>
#include <limits>
#include <sstream>

#include "instrument/queued_errors.h"
#include "instrument/scan_list_groups.h"
#include "instrument/scpi_text.h"
#include "instrument/user_exception.h"

using scpi::Format;
using std::string;

namespace {

constexpr int kTextAnswerSize = 256;
constexpr int kShortAnswerSize = 100;
constexpr int kScanListAnswerSize = 4095;
constexpr int kMeasuringBit = 16;
constexpr long kLargestTriggerCount = 65535;
constexpr double kLowStrainExcitation = 0.01;
constexpr double kAdjustedStrainExcitation = 0.01001;
constexpr double kLowCurrentAmplitude = 0.00003;
constexpr double kCurrentAmplitudeTolerance = 0.000001;

// A zero-filled answer buffer one character longer than the size the driver
// is told, so that the text is terminated whatever the driver writes.
template <std::size_t Size>
struct AnswerBuffer {
    std::array<ViChar, Size + 1> text{};
    ViChar* data() { return text.data(); }
    string Text() {
        text[Size] = '\0';
        return string(text.data());
    }
};

const char* ListName(int listIndex) {
    static const char* const names[] = {"LIST1", "LIST2", "LIST3", "LIST4", "ALL", "LISTL"};
    return listIndex >= 0 && listIndex < 6 ? names[listIndex] : names[0];
}

// Scan lists know no "ALL": index 4 is the list of limits.
const char* ScanListName(int listIndex) {
    return listIndex == 4 ? "LISTL" : ListName(listIndex >= 0 && listIndex < 4 ? listIndex : 0);
}

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

// The calling thread's last status, and the instrument it belongs to.
struct ThreadStatus {
    const void* owner = nullptr;
    int status = 0;
};
thread_local ThreadStatus threadStatus;

LimitFlags ParseLimitFlags(const string& answer) {
    LimitFlags result;
    std::istringstream stream(answer);
    string item;
    for (auto& flag : result.flags) {
        if (!std::getline(stream, item, ',')) {
            break;
        }
        flag = static_cast<std::int16_t>(scpi::IntegerValue(item));
    }
    return result;
}

}  // namespace

LiveInstrument::LiveInstrument(ViSession session, std::unique_ptr<LoadedLibrary> driverLibrary)
    : driverLibrary_(std::move(driverLibrary)) {
    if (!sessionSet) {
        sessionHandle = session;
        sessionSet = true;
    }
    SetLastStatus(0);
    busyFlag.store(0);
    if (!driverLibrary_ || BindDriverFunctions(*driverLibrary_, driver_)) {
        throw UserException{};
    }
}

// The library goes with driverLibrary_; the driver session stays open.
LiveInstrument::~LiveInstrument() = default;

template <typename Call>
void LiveInstrument::Guarded(Call call) {
    int idle = 0;
    // Test and set in one step: two threads never both pass.
    if (!busyFlag.compare_exchange_strong(idle, 1)) {
        SetLastStatus(driver::kBusy);
        throw UserException{};
    }
    SetLastStatus(0);
    const ViStatus status = call();
    SetLastStatus(status);
    busyFlag.store(0);
    if (status < 0 &&
        !(status == driver::kInstrumentErrorQueued && LeaveQueuedErrors::LetThrough())) {
        throw UserException{};
    }
}

void LiveInstrument::SetLastStatus(int status) {
    threadStatus = ThreadStatus{this, status};
}

void LiveInstrument::Refuse(ViStatus status) {
    SetLastStatus(status);
    throw UserException{};
}

void LiveInstrument::Command(const string& command) {
    Guarded([&] { return driver_.cmd(Session(), command.c_str()); });
}

string LiveInstrument::QueryText(const string& query, int answerSize) {
    std::vector<ViChar> answer(static_cast<std::size_t>(answerSize) + 1, '\0');
    Guarded(
        [&] { return driver_.cmdStringQ(Session(), query.c_str(), answerSize, answer.data()); });
    answer.back() = '\0';
    return string(answer.data());
}

int LiveInstrument::QueryInteger(const string& query) {
    ViInt32 answer = 0;
    Guarded([&] { return driver_.cmdInt32Q(Session(), query.c_str(), &answer); });
    return answer;
}

double LiveInstrument::QueryReal(const string& query) {
    ViReal64 answer = 0.0;
    Guarded([&] { return driver_.cmdReal64Q(Session(), query.c_str(), &answer); });
    return answer;
}

void LiveInstrument::Reset() {
    Command("*RST");
}

int LiveInstrument::QueryQuestionableCondition() {
    return QueryInteger("STAT:QUES:COND?");
}

// The instrument's event register is never read: the condition stands in.
int LiveInstrument::QueryQuestionableEvent() {
    return QueryInteger("STAT:QUES:COND?");
}

int LiveInstrument::QueryOperationEvent() {
    return QueryInteger("STAT:OPER:EVEN?");
}

int LiveInstrument::QueryOperationCondition() {
    return QueryInteger("STAT:OPER:COND?");
}

Text LiveInstrument::SelfTest() {
    ViInt16 result = 0;
    AnswerBuffer<driver::kSelfTestMessageLength> message;
    Guarded([&] { return driver_.selfTest(Session(), &result, message.data()); });
    return message.Text();
}

void LiveInstrument::SendOpc() {
    Command("*OPC");
}

int LiveInstrument::QueryOpc() {
    return QueryInteger("*OPC?");
}

int LiveInstrument::QueryStatusByte() {
    return QueryInteger("*STB?");
}

void LiveInstrument::SetTimeout(int milliseconds) {
    Guarded([&] { return driver_.timeOut(Session(), milliseconds); });
}

Text LiveInstrument::QueryErrorQueue(int& code) {
    ViInt32 queued = 0;
    AnswerBuffer<driver::kErrorQueryMessageLength> message;
    const ViStatus status = driver_.errorQuery(Session(), &queued, message.data());
    SetLastStatus(status);
    // A failed query reports an empty queue, so that a report never loops.
    code = status < 0 ? 0 : queued;
    return message.Text();
}

int LiveInstrument::GetLastStatus() {
    const int status = threadStatus.owner == this ? threadStatus.status : 0;
    threadStatus.status = 0;
    return status;
}

void LiveInstrument::ClearStatus() {
    Command("*CLS");
}

Text LiveInstrument::GetErrorMessage(int status) {
    AnswerBuffer<driver::kErrorMessageLength> message;
    if (driver_.errorMessage(Session(), status, message.data()) < 0) {
        return std::nullopt;
    }
    return message.Text();
}

Text LiveInstrument::QueryTriggerSource() {
    return QueryText("TRIG:SOUR?", kTextAnswerSize);
}

void LiveInstrument::SetTriggerSource(const string& source) {
    Command(Format("TRIG:SOUR %s", source.c_str()));
}

Text LiveInstrument::QueryArmSource() {
    return QueryText("ARM:SOUR?", kTextAnswerSize);
}

void LiveInstrument::SetArmSource(const string& source) {
    Command(Format("ARM:SOUR %s", source.c_str()));
}

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

void LiveInstrument::SetSampleTimer(const string& value) {
    Command(Format("SAMP:TIM %s", value.c_str()));
}

Text LiveInstrument::QuerySampleTimer(int listIndex) {
    return QueryText(Format("SAMP:TIM? %s", ListName(listIndex)), kTextAnswerSize);
}

void LiveInstrument::DefineScanList(int listIndex, const string& list) {
    if (listIndex == 4) {
        Command(Format("ROUT:SEQ:DEF %s,(@%s)", "LISTL", list.c_str()));
        return;
    }
    Command(Format("ROUT:SEQ:DEF %s,%s", ScanListName(listIndex), list.c_str()));
}

Text LiveInstrument::QueryScanList(int listIndex) {
    const char* name = ScanListName(listIndex);
    const string channels = QueryText(Format("ROUT:SEQ:DEF? %s,CHAN", name), kScanListAnswerSize);
    if (listIndex == 4) {
        return scpi::Trimmed(channels);
    }
    const string modules = QueryText(Format("ROUT:SEQ:DEF? %s,MOD", name), kScanListAnswerSize);
    return FormatModuleGroups(channels, modules);
}

// Requests that do not fit the 512-value buffer, or the driver's 16-bit
// element number, are refused before anything is sent.
std::optional<std::vector<double>> LiveInstrument::ReadCvt(int firstElement, int count) {
    if (count < 0 || count > kValueBufferSize) {
        Refuse(kInvalidCount);
    }
    if (firstElement < 0 || firstElement > std::numeric_limits<ViInt16>::max()) {
        Refuse(kInvalidFirstElement);
    }
    Command("FORM PACK, 64");
    std::array<ViReal64, kValueBufferSize> values{};
    Guarded([&] {
        return driver_.readCvtQ(Session(), static_cast<ViInt16>(firstElement),
                                static_cast<ViInt16>(count), values.data());
    });
    return std::vector<double>(values.begin(), values.begin() + count);
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

void LiveInstrument::Initiate() {
    Command("INIT");
}

double LiveInstrument::QueryTriggerTimer() {
    return QueryReal("TRIG:TIMER?");
}

void LiveInstrument::SetTriggerTimer(double seconds) {
    Command(Format("TRIG:TIM %g", seconds));
}

void LiveInstrument::SetTriggerTimerMode(const string& mode) {
    Command(Format("TRIG:TIM:MODE %s", scpi::TrimmedUpper(mode).c_str()));
}

Text LiveInstrument::QueryTriggerTimerMode() {
    return QueryText("TRIG:TIMER:MODE?", kTextAnswerSize);
}

// The instrument counts endlessly at 0.
Text LiveInstrument::QueryTriggerCount() {
    const int count = QueryInteger("TRIG:COUNT?");
    return count == 0 ? string("INF") : std::to_string(count);
}

void LiveInstrument::SetTriggerCount(const string& count) {
    const string text = scpi::TrimmedUpper(count);
    long value = text == "INF" ? 0 : scpi::IntegerValue(text);
    if (value < 0 || value > kLargestTriggerCount) {
        value = 0;
    }
    Command(Format("TRIG:COUNT %ld", value));
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

void LiveInstrument::SetLowerLimit(const string& channels, double limit) {
    Command(Format("CALC:LIM:LOW:DATA %g,(@%s)", limit, channels.c_str()));
}

void LiveInstrument::SetUpperLimit(const string& channels, double limit) {
    Command(Format("CALC:LIM:UPP:DATA %g,(@%s)", limit, channels.c_str()));
}

void LiveInstrument::CalTare(const string& channels) {
    Command(Format("CAL:TARE (@%s)", channels.c_str()));
}

int LiveInstrument::QueryCalTare() {
    return QueryInteger("CAL:TARE?");
}

void LiveInstrument::StoreTare() {
    Command("CAL:STORE TARE");
}

void LiveInstrument::ResetTare() {
    Command("CAL:TARE:RESET");
}

void LiveInstrument::SetFilterState(const string& state) {
    Command(Format("SENS:FILT:LPAS:STAT %s", state.c_str()));
}

Text LiveInstrument::QueryFilterState() {
    return QueryText("SENS:FILT:LPAS:STAT?", kShortAnswerSize);
}

void LiveInstrument::AbortMeasurement() {
    if ((QueryInteger("STAT:OPER:COND?") & kMeasuringBit) != 0) {
        Command("ABORT");
    }
}

void LiveInstrument::ResetCvt() {
    Command("SENS:DATA:CVT:RESET");
}

void LiveInstrument::EnableLimits(const string& channels) {
    Command(Format("CALC:LIM ON,(@%s)", channels.c_str()));
}

void LiveInstrument::EnableLowerLimit(const string& channels) {
    Command(Format("CALC:LIM:LOW:STAT ON,(@%s)", channels.c_str()));
}

void LiveInstrument::EnableUpperLimit(const string& channels) {
    Command(Format("CALC:LIM:UPP:STAT ON,(@%s)", channels.c_str()));
}

LimitFlags LiveInstrument::QueryCumulativeLimitFlags() {
    return ParseLimitFlags(QueryText("CALC:CLIM:FLIM:CUM?", kTextAnswerSize));
}

void LiveInstrument::TriggerImmediate() {
    Command("TRIG:IMM");
}

int LiveInstrument::QueryAverageCount() {
    return QueryInteger("CALC:AVER:COUN?");
}

string LiveInstrument::QueryAverageState() {
    return QueryInteger("CALC:AVER:STATE?") != 0 ? "ON" : "OFF";
}

void LiveInstrument::SetAverageState(const string& state) {
    Command(Format("CALC:AVER:STATE %s", state.c_str()));
}

void LiveInstrument::SetAverageCount(int count) {
    Command(Format("CALC:AVER:COUN %d", count));
}

void LiveInstrument::SetContinuousOff() {
    Command("INIT:CONT OFF");
}

void LiveInstrument::SetContinuousOn() {
    Command("INIT:CONT ON");
}

int LiveInstrument::QueryFifoCount() {
    return QueryInteger("SENS:DATA:FIFO:COUN?");
}

std::vector<double> LiveInstrument::ReadFifo(int count) {
    if (count < 0) {
        Refuse(kInvalidFifoCount);
    }
    Command("FORM REAL,64");
    // Never hand the driver a null destination, even for no values.
    std::vector<double> values(static_cast<std::size_t>(std::max(count, 1)), 0.0);
    Guarded([&] { return driver_.readFifoQ(Session(), count, count, values.data()); });
    values.resize(static_cast<std::size_t>(count));
    return values;
}

void LiveInstrument::SetFifoMode(const string& mode) {
    Command(Format("SENS:DATA:FIFO:MODE %s", mode.c_str()));
}

void LiveInstrument::ResetFifo() {
    Command("SENS:DATA:FIFO:RESET");
}

void LiveInstrument::DeviceClear() {
    Guarded([&] { return driver_.dcl(Session()); });
}

void LiveInstrument::SetInputFilterState(const string& channels, const string& state) {
    Command(Format("INP:FILT:STATE %s,(@%s)", state.c_str(), channels.c_str()));
}

void LiveInstrument::SetTtlTriggerOutput(int line, const string& state) {
    Command(Format("OUTP:TTLT%d %s", line, state.c_str()));
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

void LiveInstrument::SetTtlTriggerSource(const string& source) {
    Command(Format("OUTP:TTLT:SOUR %s", source.c_str()));
}

string LiveInstrument::QueryInputFilterState(const string& channels) {
    return QueryText(Format("INP:FILT? (@%s)", channels.c_str()), kTextAnswerSize);
}

string LiveInstrument::QueryTtlTriggerOutput(int line) {
    return QueryText(Format("OUTP:TTLT%d?", line), kTextAnswerSize);
}

string LiveInstrument::QueryOutputPolarity(const string& channels) {
    return QueryText(Format("OUTP:POL? (@%s)", channels.c_str()), kTextAnswerSize);
}

string LiveInstrument::QueryOutputType(const string& channels) {
    return QueryText(Format("OUTP:TYPE? (@%s)", channels.c_str()), kTextAnswerSize);
}

string LiveInstrument::QueryTtlTriggerSource() {
    return QueryText("OUTP:TTLT:SOUR? ", kTextAnswerSize);
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

void LiveInstrument::DownloadAlgorithm(const string& algorithmName, const string& sizeText,
                                       const string& source) {
    const auto size = static_cast<ViInt32>(scpi::IntegerValue(sizeText));
    Guarded([&] {
        return driver_.downloadAlg(Session(), algorithmName.c_str(), size, source.c_str());
    });
}

void LiveInstrument::SetAlgorithmScalar(const string& algorithmName, const string& variableName,
                                        const string& value) {
    Command(Format("ALG:SCALAR '%s','%s',%s", algorithmName.c_str(), variableName.c_str(),
                   value.c_str()));
}

void LiveInstrument::UpdateAlgorithms() {
    Command("ALG:UPDATE");
}

// The driver never reads past the values the caller holds.
void LiveInstrument::SetAlgorithmArray(const string& algorithmName, const string& arrayName,
                                       const std::vector<double>& values, int count) {
    const int sent = std::clamp(count, 0, static_cast<int>(values.size()));
    Guarded([&] {
        return driver_.algArray(Session(), algorithmName.c_str(), arrayName.c_str(), values.data(),
                                sent);
    });
}

string LiveInstrument::Calibrate() {
    const int code = QueryInteger("*CAL?");
    return code == 0 ? string() : Format("Cal Failed with code: %d", code);
}

string LiveInstrument::QueryScpType(int channel) {
    return QueryText(Format("SYST:CTYP? (@%d)", channel), kTextAnswerSize);
}

Revisions LiveInstrument::QueryRevision() {
    AnswerBuffer<driver::kRevisionLength> driverRevision;
    AnswerBuffer<driver::kRevisionLength> firmwareRevision;
    Guarded([&] {
        return driver_.revisionQuery(Session(), driverRevision.data(), firmwareRevision.data());
    });
    return {driverRevision.Text(), firmwareRevision.Text()};
}

void LiveInstrument::SetDebounceTime(const string& channels, double time) {
    Command(Format("INP:DEB:TIME %g,(@%s)", time, channels.c_str()));
}

void LiveInstrument::StoreAdcCalibration() {
    Command("CAL:STORE ADC");
}

string LiveInstrument::QueryThreshold(const string& channels) {
    return QueryText(Format("INP:THR? (@%s)", channels.c_str()), kTextAnswerSize);
}
