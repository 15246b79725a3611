#include "recording_session.h"

#include <thread>

#include <QLocale>
#include <QString>
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>

#include "instrument/user_exception.h"

void RecordingSession::FailOperation(const std::string& operation, int status, int times) {
    std::lock_guard<std::mutex> lock(mutex_);
    failures_[operation] = {status, times};
}

void RecordingSession::StopFailing(const std::string& operation) {
    std::lock_guard<std::mutex> lock(mutex_);
    failures_.erase(operation);
}

void RecordingSession::QueueError(int code, const std::string& message) {
    std::lock_guard<std::mutex> lock(mutex_);
    errorQueue_.emplace_back(code, message);
}

void RecordingSession::SetOperationCondition(int value) {
    std::lock_guard<std::mutex> lock(mutex_);
    operationCondition_ = value;
}

void RecordingSession::SetOpcAnswers(std::deque<int> answers) {
    std::lock_guard<std::mutex> lock(mutex_);
    opcAnswers_ = std::move(answers);
}

void RecordingSession::SetErrorMessage(int status, std::string text) {
    std::lock_guard<std::mutex> lock(mutex_);
    errorMessages_[status] = std::move(text);
}

void RecordingSession::SetRevisions(Revisions revisions) {
    std::lock_guard<std::mutex> lock(mutex_);
    revisions_ = std::move(revisions);
}

std::vector<std::string> RecordingSession::Calls() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return calls_;
}

int RecordingSession::CallCount(const std::string& operation) const {
    std::lock_guard<std::mutex> lock(mutex_);
    int count = 0;
    for (const std::string& call : calls_) {
        count += call.rfind(operation + "(", 0) == 0 ? 1 : 0;
    }
    return count;
}

void RecordingSession::ClearCalls() {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.clear();
}

void RecordingSession::Enter(const std::string& operation, const std::string& arguments) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back(operation + "(" + arguments + ")");
    const auto delayed = delayedFailures_.find(operation);
    if (delayed != delayedFailures_.end() && delayed->second.first-- == 0) {
        failures_[operation] = {delayed->second.second, 1};
        delayedFailures_.erase(delayed);
    }
    const auto failure = failures_.find(operation);
    if (failure == failures_.end()) {
        return;
    }
    lastStatus_ = failure->second.first;
    if (failure->second.second > 0 && --failure->second.second == 0) {
        failures_.erase(failure);
    }
    throw UserException{};
}

void RecordingSession::Reset() {
    Enter("Reset");
    EmulatedInstrument::Reset();
}

int RecordingSession::QueryOperationCondition() {
    Enter("QueryOperationCondition");
    std::lock_guard<std::mutex> lock(mutex_);
    return operationCondition_;
}

void RecordingSession::HoldSelfTestUntilDeviceClear() {
    std::lock_guard<std::mutex> lock(mutex_);
    holdSelfTest_ = true;
    cleared_ = false;
}

Text RecordingSession::SelfTest() {
    Enter("SelfTest");
    std::unique_lock<std::mutex> lock(mutex_);
    if (holdSelfTest_) {
        // Bounded, so that a broken cancel path fails the test instead of hanging it.
        deviceCleared_.wait_for(lock, std::chrono::seconds(10), [this] { return cleared_; });
        if (cleared_) {
            holdSelfTest_ = false;
            lastStatus_ = kAbortedByDeviceClear;
            throw UserException{};
        }
    }
    lock.unlock();
    return EmulatedInstrument::SelfTest();
}

int RecordingSession::QueryOpc() {
    Enter("QueryOpc");
    std::lock_guard<std::mutex> lock(mutex_);
    if (opcAnswers_.empty()) {
        return 1;
    }
    const int answer = opcAnswers_.front();
    opcAnswers_.pop_front();
    return answer;
}

void RecordingSession::SetTimeout(int milliseconds) {
    Enter("SetTimeout", std::to_string(milliseconds));
    EmulatedInstrument::SetTimeout(milliseconds);
}

// Like the live instrument: no busy check, never raises.
Text RecordingSession::QueryErrorQueue(int& code) {
    std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back("QueryErrorQueue()");
    if (errorQueue_.empty()) {
        code = 0;
        return std::string("+0,\"No error\"");
    }
    const auto entry = errorQueue_.front();
    errorQueue_.pop_front();
    code = entry.first;
    return entry.second;
}

int RecordingSession::GetLastStatus() {
    std::lock_guard<std::mutex> lock(mutex_);
    const int status = lastStatus_;
    lastStatus_ = 0;
    return status;
}

Text RecordingSession::GetErrorMessage(int status) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = errorMessages_.find(status);
    if (found == errorMessages_.end()) {
        return std::nullopt;
    }
    return found->second;
}

void RecordingSession::SetTriggerSourceAnswer(std::string source) {
    std::lock_guard<std::mutex> lock(mutex_);
    triggerSourceAnswer_ = std::move(source);
}

Text RecordingSession::QueryTriggerSource() {
    Enter("QueryTriggerSource");
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (triggerSourceAnswer_) {
            return triggerSourceAnswer_;
        }
    }
    return EmulatedInstrument::QueryTriggerSource();
}

void RecordingSession::SetTriggerSource(const std::string& source) {
    Enter("SetTriggerSource", source);
    EmulatedInstrument::SetTriggerSource(source);
}

std::optional<std::vector<double>> RecordingSession::ReadCvt(int firstElement, int count) {
    Enter("ReadCvt", std::to_string(firstElement) + "," + std::to_string(count));
    while (holdReads.load()) {
        std::this_thread::yield();
    }
    return EmulatedInstrument::ReadCvt(firstElement, count);
}

void RecordingSession::Initiate() {
    Enter("Initiate");
}
void RecordingSession::TriggerImmediate() {
    Enter("TriggerImmediate");
}
void RecordingSession::AbortMeasurement() {
    Enter("AbortMeasurement");
}
void RecordingSession::DeviceClear() {
    Enter("DeviceClear");
    std::lock_guard<std::mutex> lock(mutex_);
    cleared_ = true;
    deviceCleared_.notify_all();
}

Revisions RecordingSession::QueryRevision() {
    Enter("QueryRevision");
    std::lock_guard<std::mutex> lock(mutex_);
    return revisions_.value_or(Revisions{"EMULATED", "EMULATED"});
}

void RecordingSession::SetInputGain(const std::string& channels, const std::string& value) {
    Enter("SetInputGain", channels + "," + value);
    EmulatedInstrument::SetInputGain(channels, value);
}

Text RecordingSession::QueryArmSource() {
    Enter("QueryArmSource");
    return EmulatedInstrument::QueryArmSource();
}

void RecordingSession::SetArmSource(const std::string& source) {
    Enter("SetArmSource", source);
    EmulatedInstrument::SetArmSource(source);
}

double RecordingSession::QueryTriggerTimer() {
    Enter("QueryTriggerTimer");
    return EmulatedInstrument::QueryTriggerTimer();
}

// Logged with %g, as the live instrument formats the command.
void RecordingSession::SetTriggerTimer(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", seconds);
    Enter("SetTriggerTimer", text);
    EmulatedInstrument::SetTriggerTimer(seconds);
}

Text RecordingSession::QueryTriggerCount() {
    Enter("QueryTriggerCount");
    return EmulatedInstrument::QueryTriggerCount();
}

void RecordingSession::SetTriggerCount(const std::string& count) {
    Enter("SetTriggerCount", count);
    EmulatedInstrument::SetTriggerCount(count);
}

void RecordingSession::DownloadAlgorithm(const std::string& algorithmName,
                                         const std::string& sizeText, const std::string& source) {
    Enter("DownloadAlgorithm", algorithmName + "," + sizeText + "," + source);
    EmulatedInstrument::DownloadAlgorithm(algorithmName, sizeText, source);
}

void RecordingSession::SetAlgorithmScalar(const std::string& algorithmName,
                                          const std::string& variableName,
                                          const std::string& value) {
    Enter("SetAlgorithmScalar", algorithmName + "," + variableName + "," + value);
    EmulatedInstrument::SetAlgorithmScalar(algorithmName, variableName, value);
}

void RecordingSession::UpdateAlgorithms() {
    Enter("UpdateAlgorithms");
    EmulatedInstrument::UpdateAlgorithms();
}

void RecordingSession::SetAlgorithmArray(const std::string& algorithmName,
                                         const std::string& arrayName,
                                         const std::vector<double>& values, int count) {
    const int sent = std::clamp(count, 0, static_cast<int>(values.size()));
    std::string arguments = algorithmName + "," + arrayName + "," + std::to_string(count) + ":";
    for (int i = 0; i < sent; ++i) {
        arguments += (i == 0 ? "" : " ") + QString::number(values[static_cast<std::size_t>(i)], 'g',
                                                           QLocale::FloatingPointShortest)
                                               .toStdString();
    }
    Enter("SetAlgorithmArray", arguments);
    EmulatedInstrument::SetAlgorithmArray(algorithmName, arrayName, values, count);
}

int RecordingSession::QueryQuestionableCondition() {
    Enter("QueryQuestionableCondition");
    std::lock_guard<std::mutex> lock(mutex_);
    return questionableCondition_;
}

int RecordingSession::QueryStatusByte() {
    Enter("QueryStatusByte");
    std::lock_guard<std::mutex> lock(mutex_);
    return statusByte_;
}

void RecordingSession::ClearStatus() {
    Enter("ClearStatus");
    std::lock_guard<std::mutex> lock(mutex_);
    errorQueue_.clear();
    statusByte_ = 0;
}

int RecordingSession::QueryFifoCount() {
    Enter("QueryFifoCount");
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(fifo_.size());
}

std::vector<double> RecordingSession::ReadFifo(int count) {
    Enter("ReadFifo", std::to_string(count));
    std::lock_guard<std::mutex> lock(mutex_);
    const auto taken = std::min(fifo_.size(), static_cast<std::size_t>(std::max(count, 0)));
    std::vector<double> values(fifo_.begin(), fifo_.begin() + static_cast<long>(taken));
    fifo_.erase(fifo_.begin(), fifo_.begin() + static_cast<long>(taken));
    return values;
}

void RecordingSession::SetQuestionableCondition(int value) {
    std::lock_guard<std::mutex> lock(mutex_);
    questionableCondition_ = value;
}

void RecordingSession::SetStatusByte(int value) {
    std::lock_guard<std::mutex> lock(mutex_);
    statusByte_ = value;
}

void RecordingSession::FailAfter(const std::string& operation, int successes, int status) {
    std::lock_guard<std::mutex> lock(mutex_);
    delayedFailures_[operation] = {successes, status};
}

void RecordingSession::SetFifo(std::vector<double> values) {
    std::lock_guard<std::mutex> lock(mutex_);
    fifo_.assign(values.begin(), values.end());
}

void RecordingSession::ActAsLive() {
    sessionHandle = 1;
    sessionSet = true;
}

void RecordingSession::SetFilterFrequency(const std::string& channels, const std::string& value) {
    Enter("SetFilterFrequency", channels + "," + value);
    EmulatedInstrument::SetFilterFrequency(channels, value);
}

void RecordingSession::SetExcitationVoltage(const std::string& channels, const std::string& value) {
    Enter("SetExcitationVoltage", channels + "," + value);
    EmulatedInstrument::SetExcitationVoltage(channels, value);
}

void RecordingSession::SetInputLow(const std::string& channels, const std::string& value) {
    Enter("SetInputLow", channels + "," + value);
    EmulatedInstrument::SetInputLow(channels, value);
}

void RecordingSession::SetCurrentAmplitude(const std::string& channels, const std::string& value) {
    Enter("SetCurrentAmplitude", channels + "," + value);
    EmulatedInstrument::SetCurrentAmplitude(channels, value);
}

void RecordingSession::SetCurrentState(const std::string& channels, const std::string& value) {
    Enter("SetCurrentState", channels + "," + value);
    EmulatedInstrument::SetCurrentState(channels, value);
}

void RecordingSession::SetInputFilterState(const std::string& channels, const std::string& state) {
    Enter("SetInputFilterState", channels + "," + state);
    EmulatedInstrument::SetInputFilterState(channels, state);
}

void RecordingSession::SetTtlTriggerOutput(int line, const std::string& state) {
    Enter("SetTtlTriggerOutput", std::to_string(line) + "," + state);
    EmulatedInstrument::SetTtlTriggerOutput(line, state);
}

void RecordingSession::SetOutputPolarity(const std::string& channels, const std::string& value) {
    Enter("SetOutputPolarity", channels + "," + value);
    EmulatedInstrument::SetOutputPolarity(channels, value);
}

void RecordingSession::SetInputPolarity(const std::string& channels, const std::string& value) {
    Enter("SetInputPolarity", channels + "," + value);
    EmulatedInstrument::SetInputPolarity(channels, value);
}

void RecordingSession::SetOutputType(const std::string& channels, const std::string& value) {
    Enter("SetOutputType", channels + "," + value);
    EmulatedInstrument::SetOutputType(channels, value);
}

void RecordingSession::SetTtlTriggerSource(const std::string& source) {
    Enter("SetTtlTriggerSource", source);
    EmulatedInstrument::SetTtlTriggerSource(source);
}

std::string RecordingSession::QueryScpType(int channel) {
    Enter("QueryScpType", std::to_string(channel));
    return EmulatedInstrument::QueryScpType(channel);
}

void RecordingSession::SetSourceFm(const std::string& channels, const std::string& value) {
    Enter("SetSourceFm", channels + "," + value);
}

void RecordingSession::SetSourceFunction(const std::string& channels, const std::string& function) {
    Enter("SetSourceFunction", channels + "," + function);
}

void RecordingSession::SetSourcePulseModulation(const std::string& channels,
                                                const std::string& value) {
    Enter("SetSourcePulseModulation", channels + "," + value);
}

void RecordingSession::SetPulsePeriod(const std::string& channels, const std::string& value) {
    Enter("SetPulsePeriod", channels + "," + value);
}

void RecordingSession::SetPulseWidth(const std::string& channels, const std::string& value) {
    Enter("SetPulseWidth", channels + "," + value);
}

void RecordingSession::SetSampleTimer(const std::string& value) {
    Enter("SetSampleTimer", value);
    EmulatedInstrument::SetSampleTimer(value);
}

// Seconds in their shortest exact decimal form, so that 0.0766 and 0.0768
// differ and a table row reads as it is written.
void RecordingSession::SetDebounceTime(const std::string& channels, double time) {
    char seconds[32] = {};
    std::to_chars(seconds, seconds + sizeof seconds - 1, time, std::chars_format::fixed);
    Enter("SetDebounceTime", channels + "," + seconds);
}

std::string RecordingSession::QueryThreshold(const std::string& channels) {
    Enter("QueryThreshold", channels);
    return EmulatedInstrument::QueryThreshold(channels);
}

void RecordingSession::CalTare(const std::string& channels) {
    Enter("CalTare", channels);
}

int RecordingSession::QueryCalTare() {
    Enter("QueryCalTare");
    std::lock_guard<std::mutex> lock(mutex_);
    return calTareAnswer_;
}

std::string RecordingSession::Calibrate() {
    Enter("Calibrate");
    std::lock_guard<std::mutex> lock(mutex_);
    return calibrateAnswer_;
}

void RecordingSession::StoreTare() {
    Enter("StoreTare");
}

void RecordingSession::ResetTare() {
    Enter("ResetTare");
}

void RecordingSession::StoreAdcCalibration() {
    Enter("StoreAdcCalibration");
}

void RecordingSession::SetCalibrationAnswers(int tareStatus, std::string calibrateText) {
    std::lock_guard<std::mutex> lock(mutex_);
    calTareAnswer_ = tareStatus;
    calibrateAnswer_ = std::move(calibrateText);
}

void RecordingSession::SetResistanceFunction(const std::string& channels,
                                             const std::string& excitation,
                                             const std::string& range) {
    Enter("SetResistanceFunction", channels + "," + excitation + "," + range);
    EmulatedInstrument::SetResistanceFunction(channels, excitation, range);
}

void RecordingSession::SetStrainFunction(const std::string& channels, const std::string& bridge,
                                         const std::string& range) {
    Enter("SetStrainFunction", channels + "," + bridge + "," + range);
    EmulatedInstrument::SetStrainFunction(channels, bridge, range);
}

void RecordingSession::SetTemperatureFunction(const std::string& channels,
                                              const std::string& subtype,
                                              const std::string& range) {
    Enter("SetTemperatureFunction", channels + "," + subtype + "," + range);
    EmulatedInstrument::SetTemperatureFunction(channels, subtype, range);
}

void RecordingSession::SetVoltageFunction(const std::string& channels, const std::string& range) {
    Enter("SetVoltageFunction", channels + "," + range);
    EmulatedInstrument::SetVoltageFunction(channels, range);
}

void RecordingSession::SetDigitalFunction(const std::string& channels, int kind) {
    Enter("SetDigitalFunction", channels + "," + std::to_string(kind));
    EmulatedInstrument::SetDigitalFunction(channels, kind);
}

void RecordingSession::SetReference(const std::string& channels, const std::string& type,
                                    const std::string& subtype, const std::string& range) {
    Enter("SetReference", channels + "," + type + "," + subtype + "," + range);
    EmulatedInstrument::SetReference(channels, type, subtype, range);
}

void RecordingSession::SetTotalizerResetMode(const std::string& channels, const std::string& mode) {
    Enter("SetTotalizerResetMode", channels + "," + mode);
    EmulatedInstrument::SetTotalizerResetMode(channels, mode);
}

void RecordingSession::SetReferenceTemperature(const std::string& value) {
    Enter("SetReferenceTemperature", value);
    EmulatedInstrument::SetReferenceTemperature(value);
}

void RecordingSession::SetReferenceChannel(const std::string& channels,
                                           const std::string& referenceChannel) {
    Enter("SetReferenceChannel", channels + "," + referenceChannel);
    EmulatedInstrument::SetReferenceChannel(channels, referenceChannel);
}

void RecordingSession::SetStrainExcitation(const std::string& channels, const std::string& value) {
    Enter("SetStrainExcitation", channels + "," + value);
    EmulatedInstrument::SetStrainExcitation(channels, value);
}

void RecordingSession::SetStrainGageFactor(const std::string& channels, const std::string& value) {
    Enter("SetStrainGageFactor", channels + "," + value);
    EmulatedInstrument::SetStrainGageFactor(channels, value);
}

void RecordingSession::SetStrainPoisson(const std::string& channels, const std::string& value) {
    Enter("SetStrainPoisson", channels + "," + value);
    EmulatedInstrument::SetStrainPoisson(channels, value);
}

void RecordingSession::SetStrainUnstrained(const std::string& channels, const std::string& value) {
    Enter("SetStrainUnstrained", channels + "," + value);
    EmulatedInstrument::SetStrainUnstrained(channels, value);
}

void RecordingSession::SetFrequencyAperture(const std::string& channels, const std::string& value) {
    Enter("SetFrequencyAperture", channels + "," + value);
    EmulatedInstrument::SetFrequencyAperture(channels, value);
}
