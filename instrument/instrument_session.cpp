#include "instrument/instrument_session.h"

#include "instrument/user_exception.h"

// The defaults: setters do nothing, queries answer a neutral value. The
// emulated instrument relies on many of them.

using std::string;

InstrumentSession::InstrumentSession() = default;
InstrumentSession::~InstrumentSession() = default;

void InstrumentSession::Reset() {}
int InstrumentSession::QueryQuestionableCondition() {
    return 0;
}
int InstrumentSession::QueryQuestionableEvent() {
    return 0;
}
int InstrumentSession::QueryOperationEvent() {
    return 0;
}
int InstrumentSession::QueryOperationCondition() {
    return 0;
}
Text InstrumentSession::SelfTest() {
    return std::nullopt;
}
void InstrumentSession::Reserved1() {}
void InstrumentSession::Reserved2() {}
void InstrumentSession::SendOpc() {}
int InstrumentSession::QueryOpc() {
    return 1;
}
void InstrumentSession::PrepareErrorReport() {}
int InstrumentSession::QueryStatusByte() {
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
void InstrumentSession::ClearStatus() {}
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
void InstrumentSession::Initiate() {}
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
void InstrumentSession::SetStrainFunction(const string&, const string&, const string&) {}
void InstrumentSession::SetTemperatureFunction(const string&, const string&, const string&) {}
void InstrumentSession::SetVoltageFunction(const string&, const string&) {}
void InstrumentSession::SetLowerLimit(const string&, double) {}
void InstrumentSession::SetUpperLimit(const string&, double) {}
void InstrumentSession::CalTare(const string&) {}
int InstrumentSession::QueryCalTare() {
    return 0;
}
void InstrumentSession::StoreTare() {}
void InstrumentSession::ResetTare() {}
void InstrumentSession::SetFilterState(const string&) {}
Text InstrumentSession::QueryFilterState() {
    return std::nullopt;
}
void InstrumentSession::AbortMeasurement() {}
void InstrumentSession::ResetCvt() {}
void InstrumentSession::EnableLimits(const string&) {}
void InstrumentSession::EnableLowerLimit(const string&) {}
void InstrumentSession::EnableUpperLimit(const string&) {}
LimitFlags InstrumentSession::QueryCumulativeLimitFlags() {
    return LimitFlags{};
}
void InstrumentSession::TriggerImmediate() {}
int InstrumentSession::QueryAverageCount() {
    return averageCount;
}
string InstrumentSession::QueryAverageState() {
    return averageState;
}
void InstrumentSession::SetAverageState(const string& state) {
    averageState = state;
}
void InstrumentSession::SetAverageCount(int count) {
    averageCount = count;
}
void InstrumentSession::SetContinuousOff() {}
void InstrumentSession::SetContinuousOn() {}
int InstrumentSession::QueryFifoCount() {
    return 0;
}
std::vector<double> InstrumentSession::ReadFifo(int) {
    return {};
}
void InstrumentSession::SetFifoMode(const string&) {}
void InstrumentSession::ResetFifo() {}
int InstrumentSession::QueryBusy() {
    return busyFlag.load();
}
void InstrumentSession::SetBusy(int flag) {
    busyFlag.store(flag);
}
std::optional<ScpSettings> InstrumentSession::GetScpSettings(int) {
    return std::nullopt;
}
void InstrumentSession::DeviceClear() {}
void InstrumentSession::SetInputFilterState(const string&, const string&) {}
void InstrumentSession::SetTtlTriggerOutput(int, const string&) {}
void InstrumentSession::SetOutputPolarity(const string&, const string&) {}
void InstrumentSession::SetInputPolarity(const string&, const string&) {}
void InstrumentSession::SetOutputType(const string&, const string&) {}
void InstrumentSession::SetTtlTriggerSource(const string&) {}
string InstrumentSession::QueryInputFilterState(const string&) {
    return "0";
}
string InstrumentSession::QueryTtlTriggerOutput(int) {
    return "0";
}
string InstrumentSession::QueryOutputPolarity(const string&) {
    return "NORM";
}
string InstrumentSession::QueryOutputType(const string&) {
    return "PASS";
}
string InstrumentSession::QueryTtlTriggerSource() {
    return "TRIG";
}
string InstrumentSession::QueryInputPolarity(const string&) {
    return "NORM";
}
void InstrumentSession::SetDigitalFunction(const string&, int) {}
void InstrumentSession::SetReferenceTemperature(const string&) {}
void InstrumentSession::SetReferenceChannel(const string&, const string&) {}
void InstrumentSession::SetReference(const string&, const string&, const string&, const string&) {}
void InstrumentSession::SetTotalizerResetMode(const string&, const string&) {}
void InstrumentSession::SetFrequencyAperture(const string&, const string&) {}
void InstrumentSession::SetStrainUnstrained(const string&, const string&) {}
void InstrumentSession::SetSourceFm(const string&, const string&) {}
void InstrumentSession::SetSourceFunction(const string&, const string&) {}
void InstrumentSession::SetSourcePulseModulation(const string&, const string&) {}
void InstrumentSession::SetPulsePeriod(const string&, const string&) {}
void InstrumentSession::SetPulseWidth(const string&, const string&) {}
void InstrumentSession::DownloadAlgorithm(const string&, const string&, const string&) {}
void InstrumentSession::SetAlgorithmScalar(const string&, const string&, const string&) {}
void InstrumentSession::UpdateAlgorithms() {}
void InstrumentSession::SetAlgorithmArray(const string&, const string&, const std::vector<double>&,
                                          int) {}
string InstrumentSession::Calibrate() {
    return {};
}
string InstrumentSession::QueryScpType(int) {
    return "Empty";
}
Revisions InstrumentSession::QueryRevision() {
    return {"EMULATED", "EMULATED"};
}
void InstrumentSession::SetDebounceTime(const string&, double) {}
void InstrumentSession::StoreAdcCalibration() {}
string InstrumentSession::QueryThreshold(const string&) {
    return "Output";
}
void InstrumentSession::ConsoleCommand(const string&) {
    throw UserException{};
}
string InstrumentSession::ConsoleQuery(const string&) {
    throw UserException{};
}
