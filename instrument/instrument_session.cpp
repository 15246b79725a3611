#include "instrument/instrument_session.h"

#include "instrument/user_exception.h"

// The defaults: setters do nothing, queries answer a neutral value. The
// emulated instrument relies on many of them.

using std::string;

InstrumentSession::InstrumentSession() = default;
InstrumentSession::~InstrumentSession() = default;

void InstrumentSession::NoteUnemulated(const char*) {}

void InstrumentSession::Reset() {}
int InstrumentSession::QueryQuestionableCondition() {
    NoteUnemulated("QueryQuestionableCondition");
    return 0;
}
int InstrumentSession::QueryQuestionableEvent() {
    NoteUnemulated("QueryQuestionableEvent");
    return 0;
}
int InstrumentSession::QueryOperationEvent() {
    NoteUnemulated("QueryOperationEvent");
    return 0;
}
int InstrumentSession::QueryOperationCondition() {
    NoteUnemulated("QueryOperationCondition");
    return 0;
}
Text InstrumentSession::SelfTest() {
    return std::nullopt;
}
void InstrumentSession::Reserved1() {}
void InstrumentSession::Reserved2() {}
void InstrumentSession::SendOpc() {
    NoteUnemulated("SendOpc");
}
int InstrumentSession::QueryOpc() {
    NoteUnemulated("QueryOpc");
    return 1;
}
void InstrumentSession::PrepareErrorReport() {}
int InstrumentSession::QueryStatusByte() {
    NoteUnemulated("QueryStatusByte");
    return 0;
}
void InstrumentSession::Reserved3() {}
void InstrumentSession::SetTimeout(int) {}
int InstrumentSession::QueryTimeout() {
    return 0;
}
Text InstrumentSession::QueryErrorQueue(int& code) {
    code = 0;
    return std::nullopt;
}
int InstrumentSession::GetLastStatus() {
    return 0;
}
int InstrumentSession::Reserved4() {
    return -1;
}
int InstrumentSession::Reserved5() {
    return -1;
}
void InstrumentSession::ClearStatus() {
    NoteUnemulated("ClearStatus");
}
Text InstrumentSession::GetErrorMessage(int) {
    return std::nullopt;
}
int InstrumentSession::Reserved6() {
    return 0;
}
Text InstrumentSession::QueryTriggerSource() {
    return std::nullopt;
}
void InstrumentSession::SetTriggerSource(const string&) {}
Text InstrumentSession::QueryArmSource() {
    return std::nullopt;
}
void InstrumentSession::SetArmSource(const string&) {}
std::optional<ScpDescriptor> InstrumentSession::GetScpDescriptor(int) {
    return std::nullopt;
}
void InstrumentSession::SetFilterFrequency(const string&, const string&) {}
void InstrumentSession::SetExcitationVoltage(const string&, const string&) {}
void InstrumentSession::SetInputGain(const string&, const string&) {}
void InstrumentSession::SetInputLow(const string&, const string&) {}
Text InstrumentSession::QueryFilterFrequency(const string&) {
    return std::nullopt;
}
Text InstrumentSession::QueryExcitationVoltage(const string&) {
    return std::nullopt;
}
Text InstrumentSession::QueryInputGain(const string&) {
    return std::nullopt;
}
Text InstrumentSession::QueryInputLow(const string&) {
    return std::nullopt;
}
void InstrumentSession::SetCurrentAmplitude(const string&, const string&) {}
int InstrumentSession::QueryCurrentAmplitude(const string&) {
    return 0;
}
void InstrumentSession::SetCurrentState(const string&, const string&) {}
int InstrumentSession::QueryCurrentState(const string&) {
    return 0;
}
void InstrumentSession::SetStrainGageFactor(const string&, const string&) {}
void InstrumentSession::SetStrainExcitation(const string&, const string&) {}
void InstrumentSession::SetStrainPoisson(const string&, const string&) {}
Text InstrumentSession::QueryStrainGageFactor(const string&) {
    return std::nullopt;
}
Text InstrumentSession::QueryStrainExcitation(const string&) {
    return std::nullopt;
}
Text InstrumentSession::QueryStrainPoisson(const string&) {
    return std::nullopt;
}
void InstrumentSession::SetSampleTimer(const string&) {}
Text InstrumentSession::QuerySampleTimer(int) {
    return std::nullopt;
}
void InstrumentSession::DefineScanList(int, const string&) {}
Text InstrumentSession::QueryScanList(int) {
    return std::nullopt;
}
std::optional<std::vector<double>> InstrumentSession::ReadCvt(int, int) {
    return std::nullopt;
}
void InstrumentSession::SetResistanceFunction(const string&, const string&, const string&) {}
void InstrumentSession::Initiate() {
    NoteUnemulated("Initiate");
}
void InstrumentSession::Reserved7(int) {}
void InstrumentSession::ClearScpSettings(int) {}
double InstrumentSession::QueryTriggerTimer() {
    return 0.0;
}
void InstrumentSession::SetTriggerTimer(double) {}
void InstrumentSession::SetTriggerTimerMode(const string&) {}
Text InstrumentSession::QueryTriggerTimerMode() {
    return std::nullopt;
}
Text InstrumentSession::QueryTriggerCount() {
    return std::nullopt;
}
void InstrumentSession::SetTriggerCount(const string&) {}
void InstrumentSession::SetStrainFunction(const string&, const string&, const string&) {
    NoteUnemulated("SetStrainFunction");
}
void InstrumentSession::SetTemperatureFunction(const string&, const string&, const string&) {
    NoteUnemulated("SetTemperatureFunction");
}
void InstrumentSession::SetVoltageFunction(const string&, const string&) {
    NoteUnemulated("SetVoltageFunction");
}
void InstrumentSession::SetLowerLimit(const string&, double) {
    NoteUnemulated("SetLowerLimit");
}
void InstrumentSession::SetUpperLimit(const string&, double) {
    NoteUnemulated("SetUpperLimit");
}
void InstrumentSession::CalTare(const string&) {
    NoteUnemulated("CalTare");
}
int InstrumentSession::QueryCalTare() {
    NoteUnemulated("QueryCalTare");
    return 0;
}
void InstrumentSession::StoreTare() {
    NoteUnemulated("StoreTare");
}
void InstrumentSession::ResetTare() {
    NoteUnemulated("ResetTare");
}
void InstrumentSession::SetFilterState(const string&) {}
Text InstrumentSession::QueryFilterState() {
    return std::nullopt;
}
void InstrumentSession::AbortMeasurement() {
    NoteUnemulated("AbortMeasurement");
}
void InstrumentSession::ResetCvt() {
    NoteUnemulated("ResetCvt");
}
void InstrumentSession::EnableLimits(const string&) {
    NoteUnemulated("EnableLimits");
}
void InstrumentSession::EnableLowerLimit(const string&) {
    NoteUnemulated("EnableLowerLimit");
}
void InstrumentSession::EnableUpperLimit(const string&) {
    NoteUnemulated("EnableUpperLimit");
}
LimitFlags InstrumentSession::QueryCumulativeLimitFlags() {
    NoteUnemulated("QueryCumulativeLimitFlags");
    return LimitFlags{};
}
void InstrumentSession::TriggerImmediate() {
    NoteUnemulated("TriggerImmediate");
}
int InstrumentSession::QueryAverageCount() {
    NoteUnemulated("QueryAverageCount");
    return averageCount;
}
string InstrumentSession::QueryAverageState() {
    NoteUnemulated("QueryAverageState");
    return averageState;
}
void InstrumentSession::SetAverageState(const string& state) {
    NoteUnemulated("SetAverageState");
    averageState = state;
}
void InstrumentSession::SetAverageCount(int count) {
    NoteUnemulated("SetAverageCount");
    averageCount = count;
}
void InstrumentSession::SetContinuousOff() {
    NoteUnemulated("SetContinuousOff");
}
void InstrumentSession::SetContinuousOn() {
    NoteUnemulated("SetContinuousOn");
}
int InstrumentSession::QueryFifoCount() {
    NoteUnemulated("QueryFifoCount");
    return 0;
}
std::vector<double> InstrumentSession::ReadFifo(int) {
    NoteUnemulated("ReadFifo");
    return {};
}
void InstrumentSession::SetFifoMode(const string&) {
    NoteUnemulated("SetFifoMode");
}
void InstrumentSession::ResetFifo() {
    NoteUnemulated("ResetFifo");
}
int InstrumentSession::QueryBusy() {
    return busyFlag.load();
}
void InstrumentSession::SetBusy(int flag) {
    busyFlag.store(flag);
}
std::optional<ScpSettings> InstrumentSession::GetScpSettings(int) {
    return std::nullopt;
}
void InstrumentSession::DeviceClear() {
    NoteUnemulated("DeviceClear");
}
void InstrumentSession::SetInputFilterState(const string&, const string&) {
    NoteUnemulated("SetInputFilterState");
}
void InstrumentSession::SetTtlTriggerOutput(int, const string&) {
    NoteUnemulated("SetTtlTriggerOutput");
}
void InstrumentSession::SetOutputPolarity(const string&, const string&) {
    NoteUnemulated("SetOutputPolarity");
}
void InstrumentSession::SetInputPolarity(const string&, const string&) {
    NoteUnemulated("SetInputPolarity");
}
void InstrumentSession::SetOutputType(const string&, const string&) {
    NoteUnemulated("SetOutputType");
}
void InstrumentSession::SetTtlTriggerSource(const string&) {
    NoteUnemulated("SetTtlTriggerSource");
}
string InstrumentSession::QueryInputFilterState(const string&) {
    NoteUnemulated("QueryInputFilterState");
    return "0";
}
string InstrumentSession::QueryTtlTriggerOutput(int) {
    NoteUnemulated("QueryTtlTriggerOutput");
    return "0";
}
string InstrumentSession::QueryOutputPolarity(const string&) {
    NoteUnemulated("QueryOutputPolarity");
    return "NORM";
}
string InstrumentSession::QueryOutputType(const string&) {
    NoteUnemulated("QueryOutputType");
    return "PASS";
}
string InstrumentSession::QueryTtlTriggerSource() {
    NoteUnemulated("QueryTtlTriggerSource");
    return "TRIG";
}
string InstrumentSession::QueryInputPolarity(const string&) {
    NoteUnemulated("QueryInputPolarity");
    return "NORM";
}
void InstrumentSession::SetDigitalFunction(const string&, int) {
    NoteUnemulated("SetDigitalFunction");
}
void InstrumentSession::SetReferenceTemperature(const string&) {
    NoteUnemulated("SetReferenceTemperature");
}
void InstrumentSession::SetReferenceChannel(const string&, const string&) {
    NoteUnemulated("SetReferenceChannel");
}
void InstrumentSession::SetReference(const string&, const string&, const string&, const string&) {
    NoteUnemulated("SetReference");
}
void InstrumentSession::SetTotalizerResetMode(const string&, const string&) {
    NoteUnemulated("SetTotalizerResetMode");
}
void InstrumentSession::SetFrequencyAperture(const string&, const string&) {
    NoteUnemulated("SetFrequencyAperture");
}
void InstrumentSession::SetStrainUnstrained(const string&, const string&) {
    NoteUnemulated("SetStrainUnstrained");
}
void InstrumentSession::SetSourceFm(const string&, const string&) {
    NoteUnemulated("SetSourceFm");
}
void InstrumentSession::SetSourceFunction(const string&, const string&) {
    NoteUnemulated("SetSourceFunction");
}
void InstrumentSession::SetSourcePulseModulation(const string&, const string&) {
    NoteUnemulated("SetSourcePulseModulation");
}
void InstrumentSession::SetPulsePeriod(const string&, const string&) {
    NoteUnemulated("SetPulsePeriod");
}
void InstrumentSession::SetPulseWidth(const string&, const string&) {
    NoteUnemulated("SetPulseWidth");
}
void InstrumentSession::DownloadAlgorithm(const string&, const string&, const string&) {
    NoteUnemulated("DownloadAlgorithm");
}
void InstrumentSession::SetAlgorithmScalar(const string&, const string&, const string&) {
    NoteUnemulated("SetAlgorithmScalar");
}
void InstrumentSession::UpdateAlgorithms() {
    NoteUnemulated("UpdateAlgorithms");
}
void InstrumentSession::SetAlgorithmArray(const string&, const string&, const std::vector<double>&,
                                          int) {
    NoteUnemulated("SetAlgorithmArray");
}
string InstrumentSession::Calibrate() {
    NoteUnemulated("Calibrate");
    return {};
}
string InstrumentSession::QueryScpType(int) {
    NoteUnemulated("QueryScpType");
    return "Empty";
}
Revisions InstrumentSession::QueryRevision() {
    NoteUnemulated("QueryRevision");
    return {"EMULATED", "EMULATED"};
}
void InstrumentSession::SetDebounceTime(const string&, double) {
    NoteUnemulated("SetDebounceTime");
}
void InstrumentSession::StoreAdcCalibration() {
    NoteUnemulated("StoreAdcCalibration");
}
string InstrumentSession::QueryThreshold(const string&) {
    NoteUnemulated("QueryThreshold");
    return "Output";
}
void InstrumentSession::ConsoleCommand(const string&) {
    throw UserException{};
}
string InstrumentSession::ConsoleQuery(const string&) {
    throw UserException{};
}

Text InstrumentSession::LookUpErrorMessage(int status) {
    return GetErrorMessage(status);
}
