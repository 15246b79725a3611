// The live instrument's operations on the instrument as a whole: status,
// trigger, measurement, FIFO, algorithms and calibration. Channel settings
// are in live_channel_settings.cpp, the driver call in live_driver_call.cpp.

#include "instrument/live_instrument.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <sstream>
#include <string_view>

#include "instrument/scan_list_groups.h"
#include "instrument/scpi_text.h"
#include "instrument/user_exception.h"

using scpi::Format;
using std::string;

namespace {

constexpr int kScanListAnswerSize = 4095;
constexpr int kMeasuringBit = 16;
constexpr long kLargestTriggerCount = 65535;

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

string ElementsText(int firstElement, int count) {
    std::array<char, 48> text{};
    std::snprintf(text.data(), text.size(), "first %d, count %d", firstElement, count);
    return string(text.data());
}

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
    Guarded(
        "qot7720_self_test", {},
        [&] { return driver_.selfTest(Session(), &result, message.data()); },
        [&] { return std::to_string(result) + ", " + message.Text(); });
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
    Guarded("qot7720_timeOut", std::to_string(milliseconds) + " ms",
            [&] { return driver_.timeOut(Session(), milliseconds); });
}

void LiveInstrument::ClearStatus() {
    Command("*CLS");
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
    const string request = ElementsText(firstElement, count);
    if (count < 0 || count > kValueBufferSize) {
        Refuse("qot7720_readCVT_Q", request, kInvalidCount);
    }
    if (firstElement < 0 || firstElement > std::numeric_limits<ViInt16>::max()) {
        Refuse("qot7720_readCVT_Q", request, kInvalidFirstElement);
    }
    Command("FORM PACK, 64");
    std::array<ViReal64, kValueBufferSize> values{};
    Guarded(
        "qot7720_readCVT_Q", request,
        [&] {
            return driver_.readCvtQ(Session(), static_cast<ViInt16>(firstElement),
                                    static_cast<ViInt16>(count), values.data());
        },
        [&] { return iorecord::AnswerNumbers::Values(values.data(), count); });
    return std::vector<double>(values.begin(), values.begin() + count);
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
    const string request = "count " + std::to_string(count);
    if (count < 0) {
        Refuse("qot7720_readFifo_Q", request, kInvalidFifoCount);
    }
    Command("FORM REAL,64");
    // Never hand the driver a null destination, even for no values.
    std::vector<double> values(static_cast<std::size_t>(std::max(count, 1)), 0.0);
    Guarded(
        "qot7720_readFifo_Q", request,
        [&] { return driver_.readFifoQ(Session(), count, count, values.data()); },
        [&] { return iorecord::AnswerNumbers::Values(values.data(), count); });
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
    Guarded("qot7720_dcl", {}, [&] { return driver_.dcl(Session()); });
}

void LiveInstrument::SetTtlTriggerOutput(int line, const string& state) {
    Command(Format("OUTP:TTLT%d %s", line, state.c_str()));
}

void LiveInstrument::SetTtlTriggerSource(const string& source) {
    Command(Format("OUTP:TTLT:SOUR %s", source.c_str()));
}

string LiveInstrument::QueryTtlTriggerOutput(int line) {
    return QueryText(Format("OUTP:TTLT%d?", line), kTextAnswerSize);
}

string LiveInstrument::QueryTtlTriggerSource() {
    return QueryText("OUTP:TTLT:SOUR? ", kTextAnswerSize);
}

void LiveInstrument::DownloadAlgorithm(const string& algorithmName, const string& sizeText,
                                       const string& source) {
    const auto size = static_cast<ViInt32>(scpi::IntegerValue(sizeText));
    // The source itself stays out of the record: it can be long, and the
    // editor holds it.
    Guarded("qot7720_downloadAlg", algorithmName + ", size " + std::to_string(size), [&] {
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
    Guarded("qot7720_algArray",
            algorithmName + ", " + arrayName + ", " + iorecord::ValuesText(values.data(), sent),
            [&] {
                return driver_.algArray(Session(), algorithmName.c_str(), arrayName.c_str(),
                                        values.data(), sent);
            });
}

string LiveInstrument::Calibrate() {
    const int code = QueryInteger("*CAL?");
    return code == 0 ? string() : Format("Cal Failed with code: %d", code);
}

Revisions LiveInstrument::QueryRevision() {
    AnswerBuffer<driver::kRevisionLength> driverRevision;
    AnswerBuffer<driver::kRevisionLength> firmwareRevision;
    Guarded(
        "qot7720_revision_query", {},
        [&] {
            return driver_.revisionQuery(Session(), driverRevision.data(), firmwareRevision.data());
        },
        [&] { return driverRevision.Text() + ", " + firmwareRevision.Text(); });
    return {driverRevision.Text(), firmwareRevision.Text()};
}

void LiveInstrument::StoreAdcCalibration() {
    Command("CAL:STORE ADC");
}
