#pragma once
// The one interface through which every panel and system command reaches the
// instrument. It is not abstract: every operation has a default body, and the
// live and emulated instruments override what they need. The order of the
// operations is fixed, reserved entries included.
//
// Channel lists are passed without "(@" and ")"; a single channel is text.
// Texts are returned by value; std::nullopt is the "null text" that callers
// running against the defaults must test for. Live failures raise
// UserException; defaults never fail, except the console's, which refuse.

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "instrument/scp_types.h"

using Text = std::optional<std::string>;

class InstrumentSession {
public:
    InstrumentSession();
    virtual ~InstrumentSession();
    InstrumentSession(const InstrumentSession&) = delete;
    InstrumentSession& operator=(const InstrumentSession&) = delete;

    virtual void Reset();
    virtual int QueryQuestionableCondition();
    virtual int QueryQuestionableEvent();
    virtual int QueryOperationEvent();
    virtual int QueryOperationCondition();
    virtual Text SelfTest();
    virtual void Reserved1();
    virtual void Reserved2();
    virtual void SendOpc();
    virtual int QueryOpc();
    virtual void PrepareErrorReport();
    virtual int QueryStatusByte();
    virtual void Reserved3();
    virtual void SetTimeout(int milliseconds);
    virtual int QueryTimeout();
    virtual Text QueryErrorQueue(int& code);
    virtual int GetLastStatus();
    virtual int Reserved4();
    virtual int Reserved5();
    virtual void ClearStatus();
    virtual Text GetErrorMessage(int status);
    virtual int Reserved6();
    virtual Text QueryTriggerSource();
    virtual void SetTriggerSource(const std::string& source);
    virtual Text QueryArmSource();
    virtual void SetArmSource(const std::string& source);
    virtual std::optional<ScpDescriptor> GetScpDescriptor(int channel);
    virtual void SetFilterFrequency(const std::string& channels, const std::string& value);
    virtual void SetExcitationVoltage(const std::string& channels, const std::string& value);
    virtual void SetInputGain(const std::string& channels, const std::string& value);
    virtual void SetInputLow(const std::string& channels, const std::string& value);
    virtual Text QueryFilterFrequency(const std::string& channel);
    virtual Text QueryExcitationVoltage(const std::string& channel);
    virtual Text QueryInputGain(const std::string& channel);
    virtual Text QueryInputLow(const std::string& channel);
    virtual void SetCurrentAmplitude(const std::string& channels, const std::string& value);
    virtual int QueryCurrentAmplitude(const std::string& channel);
    virtual void SetCurrentState(const std::string& channels, const std::string& value);
    virtual int QueryCurrentState(const std::string& channel);
    virtual void SetStrainGageFactor(const std::string& channels, const std::string& value);
    virtual void SetStrainExcitation(const std::string& channels, const std::string& value);
    virtual void SetStrainPoisson(const std::string& channels, const std::string& value);
    virtual Text QueryStrainGageFactor(const std::string& channels);
    virtual Text QueryStrainExcitation(const std::string& channels);
    virtual Text QueryStrainPoisson(const std::string& channels);
    virtual void SetSampleTimer(const std::string& value);
    virtual Text QuerySampleTimer(int listIndex);
    virtual void DefineScanList(int listIndex, const std::string& list);
    virtual Text QueryScanList(int listIndex);
    // `count` values starting at CVT element `firstElement`; null by default.
    virtual std::optional<std::vector<double>> ReadCvt(int firstElement, int count);
    virtual void SetResistanceFunction(const std::string& channels, const std::string& excitation,
                                       const std::string& range);
    virtual void Initiate();
    virtual void Reserved7(int argument);
    virtual void ClearScpSettings(int position);
    virtual double QueryTriggerTimer();
    virtual void SetTriggerTimer(double seconds);
    virtual void SetTriggerTimerMode(const std::string& mode);
    virtual Text QueryTriggerTimerMode();
    virtual Text QueryTriggerCount();
    virtual void SetTriggerCount(const std::string& count);
    virtual void SetStrainFunction(const std::string& channels, const std::string& bridge,
                                   const std::string& range);
    virtual void SetTemperatureFunction(const std::string& channels, const std::string& subtype,
                                        const std::string& range);
    virtual void SetVoltageFunction(const std::string& channels, const std::string& range);
    virtual void SetLowerLimit(const std::string& channels, double limit);
    virtual void SetUpperLimit(const std::string& channels, double limit);
    virtual void CalTare(const std::string& channels);
    virtual int QueryCalTare();
    virtual void StoreTare();
    virtual void ResetTare();
    virtual void SetFilterState(const std::string& state);
    virtual Text QueryFilterState();
    virtual void AbortMeasurement();
    virtual void ResetCvt();
    virtual void EnableLimits(const std::string& channels);
    virtual void EnableLowerLimit(const std::string& channels);
    virtual void EnableUpperLimit(const std::string& channels);
    virtual LimitFlags QueryCumulativeLimitFlags();
    virtual void TriggerImmediate();
    virtual int QueryAverageCount();
    virtual std::string QueryAverageState();
    virtual void SetAverageState(const std::string& state);
    virtual void SetAverageCount(int count);
    virtual void SetContinuousOff();
    virtual void SetContinuousOn();
    virtual int QueryFifoCount();
    // Reads `count` FIFO values; the default reads nothing.
    virtual std::vector<double> ReadFifo(int count);
    virtual void SetFifoMode(const std::string& mode);
    virtual void ResetFifo();
    virtual int QueryBusy();
    virtual void SetBusy(int flag);
    virtual std::optional<ScpSettings> GetScpSettings(int position);
    virtual void DeviceClear();
    virtual void SetInputFilterState(const std::string& channels, const std::string& state);
    virtual void SetTtlTriggerOutput(int line, const std::string& state);
    virtual void SetOutputPolarity(const std::string& channels, const std::string& value);
    virtual void SetInputPolarity(const std::string& channels, const std::string& value);
    virtual void SetOutputType(const std::string& channels, const std::string& value);
    virtual void SetTtlTriggerSource(const std::string& source);
    virtual std::string QueryInputFilterState(const std::string& channels);
    virtual std::string QueryTtlTriggerOutput(int line);
    virtual std::string QueryOutputPolarity(const std::string& channels);
    virtual std::string QueryOutputType(const std::string& channels);
    virtual std::string QueryTtlTriggerSource();
    virtual std::string QueryInputPolarity(const std::string& channels);
    virtual void SetDigitalFunction(const std::string& channels, int kind);
    virtual void SetReferenceTemperature(const std::string& value);
    virtual void SetReferenceChannel(const std::string& channels,
                                     const std::string& referenceChannel);
    virtual void SetReference(const std::string& channels, const std::string& type,
                              const std::string& subtype, const std::string& range);
    virtual void SetTotalizerResetMode(const std::string& channels, const std::string& mode);
    virtual void SetFrequencyAperture(const std::string& channels, const std::string& value);
    virtual void SetStrainUnstrained(const std::string& channels, const std::string& value);
    virtual void SetSourceFm(const std::string& channels, const std::string& value);
    virtual void SetSourceFunction(const std::string& channels, const std::string& function);
    virtual void SetSourcePulseModulation(const std::string& channels, const std::string& value);
    virtual void SetPulsePeriod(const std::string& channels, const std::string& value);
    virtual void SetPulseWidth(const std::string& channels, const std::string& value);
    virtual void DownloadAlgorithm(const std::string& algorithmName, const std::string& sizeText,
                                   const std::string& source);
    virtual void SetAlgorithmScalar(const std::string& algorithmName,
                                    const std::string& variableName, const std::string& value);
    virtual void UpdateAlgorithms();
    // Sends the first `count` of `values` (never more than `values` holds).
    virtual void SetAlgorithmArray(const std::string& algorithmName, const std::string& arrayName,
                                   const std::vector<double>& values, int count);
    virtual std::string Calibrate();
    virtual std::string QueryScpType(int channel);
    virtual Revisions QueryRevision();
    virtual void SetDebounceTime(const std::string& channels, double time);
    virtual void StoreAdcCalibration();
    virtual std::string QueryThreshold(const std::string& channels);
    // The SCPI console's own traffic: one line as typed, sent as a command
    // (qot7720_cmd) or as a query whose answer comes back (qot7720_cmdString_Q).
    // Unlike the operations above, the defaults refuse with UserException: an
    // instrument that cannot take free text must never report it as sent.
    virtual void ConsoleCommand(const std::string& text);
    virtual std::string ConsoleQuery(const std::string& text);
    // The driver's message for a status, for a tool window whose operator
    // asked for it: unlike GetErrorMessage, which a failure's report uses
    // right after the failed call, it takes the busy guard and so may be
    // refused with UserException. The default is GetErrorMessage.
    virtual Text LookUpErrorMessage(int status);

    std::uint32_t SessionHandle() const { return sessionHandle; }
    bool SessionSet() const { return sessionSet; }
    int ScpCount() const { return scpCount; }

protected:
    // Called by the default body of each instrument call, which only an
    // instrument without a driver reaches: the emulation records it.
    virtual void NoteUnemulated(const char* operation);

    std::uint32_t sessionHandle = 0;
    bool sessionSet = false;
    std::array<ScpDescriptor, kScpPositions> scpDescriptors{};
    int scpCount = kScpPositions;
    std::string defaultResultText;
    int averageCount = 0;
    std::string averageState;
    // Read and written from the user-interface and worker threads.
    std::atomic<int> busyFlag{0};
};
