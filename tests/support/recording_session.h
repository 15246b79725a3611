#pragma once
// A session for panel and shell tests: behaves like the emulated instrument,
// logs every call it overrides with its arguments, and can be told to fail an
// operation with a status (as the live instrument does: the status is kept
// for GetLastStatus and UserException is raised). Safe to use from the
// auto-update worker thread.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "instrument/emulated_instrument.h"

class RecordingSession : public EmulatedInstrument {
public:
    // `times` < 0 fails every call from now on.
    void FailOperation(const std::string& operation, int status, int times = -1);
    void StopFailing(const std::string& operation);
    // Instrument errors that QueryErrorQueue hands out, oldest first.
    void QueueError(int code, const std::string& message);
    void SetOperationCondition(int value);
    void SetOpcAnswers(std::deque<int> answers);  // then 1
    void SetErrorMessage(int status, std::string text);
    void SetRevisions(Revisions revisions);
    // What QueryTriggerSource answers from now on (the emulation refuses HOLD).
    void SetTriggerSourceAnswer(std::string source);
    // SelfTest then runs until DeviceClear ends it, as on the instrument:
    // it then fails with kAbortedByDeviceClear.
    void HoldSelfTestUntilDeviceClear();
    static constexpr int kAbortedByDeviceClear = static_cast<int>(0xBFFF0030u);
    // While set, ReadCvt waits inside the call, as a slow instrument would.
    std::atomic<bool> holdReads{false};

    std::vector<std::string> Calls() const;
    int CallCount(const std::string& operation) const;
    void ClearCalls();

    void Reset() override;
    int QueryOperationCondition() override;
    Text SelfTest() override;
    int QueryOpc() override;
    void SetTimeout(int milliseconds) override;
    Text QueryErrorQueue(int& code) override;
    int GetLastStatus() override;
    Text GetErrorMessage(int status) override;
    Text QueryTriggerSource() override;
    void SetTriggerSource(const std::string& source) override;
    std::optional<std::vector<double>> ReadCvt(int firstElement, int count) override;
    void Initiate() override;
    void TriggerImmediate() override;
    void AbortMeasurement() override;
    void DeviceClear() override;
    Revisions QueryRevision() override;
    void SetInputGain(const std::string& channels, const std::string& value) override;
    Text QueryArmSource() override;
    void SetArmSource(const std::string& source) override;
    double QueryTriggerTimer() override;
    void SetTriggerTimer(double seconds) override;
    Text QueryTriggerCount() override;
    void SetTriggerCount(const std::string& count) override;
    // "DownloadAlgorithm(name,size,source)" with the source byte for byte.
    void DownloadAlgorithm(const std::string& algorithmName, const std::string& sizeText,
                           const std::string& source) override;
    void SetAlgorithmScalar(const std::string& algorithmName, const std::string& variableName,
                            const std::string& value) override;
    void UpdateAlgorithms() override;
    // "SetAlgorithmArray(name,array,count:v1 v2 ...)", the values sent in
    // their shortest exact form.
    void SetAlgorithmArray(const std::string& algorithmName, const std::string& arrayName,
                           const std::vector<double>& values, int count) override;
    int QueryQuestionableCondition() override;
    int QueryStatusByte() override;
    void ClearStatus() override;
    int QueryFifoCount() override;
    std::vector<double> ReadFifo(int count) override;

    // The questionable condition register and the status byte as answered;
    // ClearStatus empties the error queue and clears the status byte.
    void SetQuestionableCondition(int value);
    void SetStatusByte(int value);
    // The next `successes` calls of `operation` succeed, the one after fails
    // with `status` (once).
    void FailAfter(const std::string& operation, int successes, int status);
    // The FIFO's contents; ReadFifo takes values from the front.
    void SetFifo(std::vector<double> values);
    // The panels then take the live instrument's path (the session handle is set).
    void ActAsLive();
    void SetFilterFrequency(const std::string& channels, const std::string& value) override;
    void SetExcitationVoltage(const std::string& channels, const std::string& value) override;
    void SetInputLow(const std::string& channels, const std::string& value) override;
    void SetCurrentAmplitude(const std::string& channels, const std::string& value) override;
    void SetCurrentState(const std::string& channels, const std::string& value) override;
    void SetInputFilterState(const std::string& channels, const std::string& state) override;
    void SetTtlTriggerOutput(int line, const std::string& state) override;
    void SetOutputPolarity(const std::string& channels, const std::string& value) override;
    void SetInputPolarity(const std::string& channels, const std::string& value) override;
    void SetOutputType(const std::string& channels, const std::string& value) override;
    void SetTtlTriggerSource(const std::string& source) override;
    std::string QueryScpType(int channel) override;
    void SetSourceFm(const std::string& channels, const std::string& value) override;
    void SetSourceFunction(const std::string& channels, const std::string& function) override;
    void SetSourcePulseModulation(const std::string& channels, const std::string& value) override;
    void SetPulsePeriod(const std::string& channels, const std::string& value) override;
    void SetPulseWidth(const std::string& channels, const std::string& value) override;
    void SetSampleTimer(const std::string& value) override;
    void SetDebounceTime(const std::string& channels, double time) override;
    std::string QueryThreshold(const std::string& channels) override;
    void CalTare(const std::string& channels) override;
    int QueryCalTare() override;
    std::string Calibrate() override;
    void StoreTare() override;
    void ResetTare() override;
    void StoreAdcCalibration() override;
    // What QueryCalTare and Calibrate answer from now on (default 0 and "").
    void SetCalibrationAnswers(int tareStatus, std::string calibrateText);
    void SetResistanceFunction(const std::string& channels, const std::string& excitation,
                               const std::string& range) override;
    void SetStrainFunction(const std::string& channels, const std::string& bridge,
                           const std::string& range) override;
    void SetTemperatureFunction(const std::string& channels, const std::string& subtype,
                                const std::string& range) override;
    void SetVoltageFunction(const std::string& channels, const std::string& range) override;
    void SetDigitalFunction(const std::string& channels, int kind) override;
    void SetReference(const std::string& channels, const std::string& type,
                      const std::string& subtype, const std::string& range) override;
    void SetTotalizerResetMode(const std::string& channels, const std::string& mode) override;
    void SetReferenceTemperature(const std::string& value) override;
    void SetReferenceChannel(const std::string& channels,
                             const std::string& referenceChannel) override;
    void SetStrainExcitation(const std::string& channels, const std::string& value) override;
    void SetStrainGageFactor(const std::string& channels, const std::string& value) override;
    void SetStrainPoisson(const std::string& channels, const std::string& value) override;
    void SetStrainUnstrained(const std::string& channels, const std::string& value) override;
    void SetFrequencyAperture(const std::string& channels, const std::string& value) override;

private:
    // Logs the call, then raises the scripted failure if there is one.
    void Enter(const std::string& operation, const std::string& arguments = std::string());

    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
    std::map<std::string, std::pair<int, int>> failures_;  // status, remaining (-1 = always)
    std::deque<std::pair<int, std::string>> errorQueue_;
    std::deque<int> opcAnswers_;
    std::map<int, std::string> errorMessages_;
    std::optional<Revisions> revisions_;
    std::optional<std::string> triggerSourceAnswer_;
    std::condition_variable deviceCleared_;
    bool holdSelfTest_ = false;
    bool cleared_ = false;
    int operationCondition_ = 0;
    int lastStatus_ = 0;
    int calTareAnswer_ = 0;
    std::string calibrateAnswer_;
    int questionableCondition_ = 0;
    int statusByte_ = 0;
    std::map<std::string, std::pair<int, int>> delayedFailures_;  // successes left, status
    std::deque<double> fifo_;
};
