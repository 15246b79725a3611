#pragma once
// The instrument through its driver library: every operation becomes one
// SCPI command or query, or one of the driver's own calls. A call is refused
// while another is inside the driver (the busy flag); a refused call or a
// negative driver status raises UserException, and GetLastStatus tells which.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "instrument/driver_functions.h"
#include "instrument/instrument_session.h"
#include "instrument/io_record.h"
#include "instrument/loaded_library.h"

class LiveInstrument : public InstrumentSession {
public:
    // Binds the driver's functions from `driverLibrary`, which the instrument
    // then owns and releases. A missing function raises UserException.
    LiveInstrument(ViSession session, std::unique_ptr<LoadedLibrary> driverLibrary);
    ~LiveInstrument() override;

    // Statuses of requests refused before reaching the driver, in the
    // driver's own "parameter n is invalid" family (the session is 1).
    static constexpr ViStatus kInvalidFirstElement = static_cast<ViStatus>(0xBFFC0002u);
    static constexpr ViStatus kInvalidCount = static_cast<ViStatus>(0xBFFC0003u);
    static constexpr ViStatus kInvalidFifoCount = static_cast<ViStatus>(0xBFFC0002u);
    // What ReadCvt can hold.
    static constexpr int kValueBufferSize = 512;
    // The answer sizes the driver is told for text queries.
    static constexpr int kTextAnswerSize = 256;
    static constexpr int kShortAnswerSize = 100;

    void Reset() override;
    int QueryQuestionableCondition() override;
    int QueryQuestionableEvent() override;
    int QueryOperationEvent() override;
    int QueryOperationCondition() override;
    Text SelfTest() override;
    void SendOpc() override;
    int QueryOpc() override;
    int QueryStatusByte() override;
    void SetTimeout(int milliseconds) override;
    Text QueryErrorQueue(int& code) override;
    int GetLastStatus() override;
    void ClearStatus() override;
    Text GetErrorMessage(int status) override;
    Text QueryTriggerSource() override;
    void SetTriggerSource(const std::string& source) override;
    Text QueryArmSource() override;
    void SetArmSource(const std::string& source) override;
    void SetFilterFrequency(const std::string& channels, const std::string& value) override;
    void SetExcitationVoltage(const std::string& channels, const std::string& value) override;
    void SetInputGain(const std::string& channels, const std::string& value) override;
    void SetInputLow(const std::string& channels, const std::string& value) override;
    Text QueryFilterFrequency(const std::string& channel) override;
    Text QueryExcitationVoltage(const std::string& channel) override;
    Text QueryInputGain(const std::string& channel) override;
    Text QueryInputLow(const std::string& channel) override;
    void SetCurrentAmplitude(const std::string& channels, const std::string& value) override;
    int QueryCurrentAmplitude(const std::string& channel) override;
    void SetCurrentState(const std::string& channels, const std::string& value) override;
    int QueryCurrentState(const std::string& channel) override;
    void SetStrainGageFactor(const std::string& channels, const std::string& value) override;
    void SetStrainExcitation(const std::string& channels, const std::string& value) override;
    void SetStrainPoisson(const std::string& channels, const std::string& value) override;
    Text QueryStrainGageFactor(const std::string& channels) override;
    Text QueryStrainExcitation(const std::string& channels) override;
    Text QueryStrainPoisson(const std::string& channels) override;
    void SetSampleTimer(const std::string& value) override;
    Text QuerySampleTimer(int listIndex) override;
    void DefineScanList(int listIndex, const std::string& list) override;
    Text QueryScanList(int listIndex) override;
    std::optional<std::vector<double>> ReadCvt(int firstElement, int count) override;
    void SetResistanceFunction(const std::string& channels, const std::string& excitation,
                               const std::string& range) override;
    void Initiate() override;
    double QueryTriggerTimer() override;
    void SetTriggerTimer(double seconds) override;
    void SetTriggerTimerMode(const std::string& mode) override;
    Text QueryTriggerTimerMode() override;
    Text QueryTriggerCount() override;
    void SetTriggerCount(const std::string& count) override;
    void SetStrainFunction(const std::string& channels, const std::string& bridge,
                           const std::string& range) override;
    void SetTemperatureFunction(const std::string& channels, const std::string& subtype,
                                const std::string& range) override;
    void SetVoltageFunction(const std::string& channels, const std::string& range) override;
    void SetLowerLimit(const std::string& channels, double limit) override;
    void SetUpperLimit(const std::string& channels, double limit) override;
    void CalTare(const std::string& channels) override;
    int QueryCalTare() override;
    void StoreTare() override;
    void ResetTare() override;
    void SetFilterState(const std::string& state) override;
    Text QueryFilterState() override;
    void AbortMeasurement() override;
    void ResetCvt() override;
    void EnableLimits(const std::string& channels) override;
    void EnableLowerLimit(const std::string& channels) override;
    void EnableUpperLimit(const std::string& channels) override;
    LimitFlags QueryCumulativeLimitFlags() override;
    void TriggerImmediate() override;
    int QueryAverageCount() override;
    std::string QueryAverageState() override;
    void SetAverageState(const std::string& state) override;
    void SetAverageCount(int count) override;
    void SetContinuousOff() override;
    void SetContinuousOn() override;
    int QueryFifoCount() override;
    std::vector<double> ReadFifo(int count) override;
    void SetFifoMode(const std::string& mode) override;
    void ResetFifo() override;
    void DeviceClear() override;
    void SetInputFilterState(const std::string& channels, const std::string& state) override;
    void SetTtlTriggerOutput(int line, const std::string& state) override;
    void SetOutputPolarity(const std::string& channels, const std::string& value) override;
    void SetInputPolarity(const std::string& channels, const std::string& value) override;
    void SetOutputType(const std::string& channels, const std::string& value) override;
    void SetTtlTriggerSource(const std::string& source) override;
    std::string QueryInputFilterState(const std::string& channels) override;
    std::string QueryTtlTriggerOutput(int line) override;
    std::string QueryOutputPolarity(const std::string& channels) override;
    std::string QueryOutputType(const std::string& channels) override;
    std::string QueryTtlTriggerSource() override;
    std::string QueryInputPolarity(const std::string& channels) override;
    void SetDigitalFunction(const std::string& channels, int kind) override;
    void SetReferenceTemperature(const std::string& value) override;
    void SetReferenceChannel(const std::string& channels,
                             const std::string& referenceChannel) override;
    void SetReference(const std::string& channels, const std::string& type,
                      const std::string& subtype, const std::string& range) override;
    void SetTotalizerResetMode(const std::string& channels, const std::string& mode) override;
    void SetFrequencyAperture(const std::string& channels, const std::string& value) override;
    void SetStrainUnstrained(const std::string& channels, const std::string& value) override;
    void SetSourceFm(const std::string& channels, const std::string& value) override;
    void SetSourceFunction(const std::string& channels, const std::string& function) override;
    void SetSourcePulseModulation(const std::string& channels, const std::string& value) override;
    void SetPulsePeriod(const std::string& channels, const std::string& value) override;
    void SetPulseWidth(const std::string& channels, const std::string& value) override;
    void DownloadAlgorithm(const std::string& algorithmName, const std::string& sizeText,
                           const std::string& source) override;
    void SetAlgorithmScalar(const std::string& algorithmName, const std::string& variableName,
                            const std::string& value) override;
    void UpdateAlgorithms() override;
    void SetAlgorithmArray(const std::string& algorithmName, const std::string& arrayName,
                           const std::vector<double>& values, int count) override;
    std::string Calibrate() override;
    std::string QueryScpType(int channel) override;
    Revisions QueryRevision() override;
    void SetDebounceTime(const std::string& channels, double time) override;
    void StoreAdcCalibration() override;
    std::string QueryThreshold(const std::string& channels) override;
    void ConsoleCommand(const std::string& text) override;
    std::string ConsoleQuery(const std::string& text) override;
    Text LookUpErrorMessage(int status) override;

private:
    // The one driver call of an operation, refused while another is inside
    // the driver; a negative status raises UserException. `function` and
    // `sent` say what the call is, for the I/O record and for the report of
    // its failure; `answer` says what came back and is asked only when the
    // record is on.
    template <typename Call, typename Answer>
    void Guarded(const char* function, std::string_view sent, Call call, Answer answer);
    template <typename Call>
    void Guarded(const char* function, std::string_view sent, Call call) {
        Guarded(function, sent, call, [] { return iorecord::IoAnswer(); });
    }
    // The guarded call's two halves, kept out of the template so that each
    // operation's code holds only its own call. Enter returns the start tick
    // for the record (0 while it is off); Leave throws on a failed status.
    std::int64_t EnterDriver(const char* function, std::string_view sent);
    void LeaveDriver(const char* function, std::string_view sent, std::int64_t startTicks,
                     ViStatus status, iorecord::IoAnswer answer);
    // A failed request that never reached the driver.
    [[noreturn]] void Refuse(const char* function, std::string_view sent, ViStatus status);

    void Command(const std::string& command);
    std::string QueryText(const std::string& query, int answerSize);
    int QueryInteger(const std::string& query);
    double QueryReal(const std::string& query);
    ViSession Session() const { return sessionHandle; }

    std::unique_ptr<LoadedLibrary> driverLibrary_;
    DriverFunctions driver_;
    // The last status is kept per thread: a failure is fetched by the thread
    // whose call failed, and a call that succeeds on another thread meanwhile
    // (the user-interface thread while the worker's call fails) must not
    // turn it into a success.
    void SetLastStatus(int status);
};

template <typename Call, typename Answer>
void LiveInstrument::Guarded(const char* function, std::string_view sent, Call call,
                             Answer answer) {
    const std::int64_t startTicks = EnterDriver(function, sent);
    const ViStatus status = call();
    LeaveDriver(
        function, sent, startTicks, status,
        status >= 0 && startTicks != 0 ? iorecord::IoAnswer(answer()) : iorecord::IoAnswer());
}
