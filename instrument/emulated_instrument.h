#pragma once
// The instrument without library or hardware: keeps in memory what the panels
// set and answers queries from that memory. It never fails.

#include <array>
#include <memory>

#include "instrument/instrument_session.h"

class EmulatedInstrument : public InstrumentSession {
public:
    EmulatedInstrument();
    ~EmulatedInstrument() override;

    void Reset() override;
    Text SelfTest() override;
    void SetTimeout(int milliseconds) override;
    int QueryTimeout() override;
    Text QueryTriggerSource() override;
    void SetTriggerSource(const std::string& source) override;
    Text QueryArmSource() override;
    void SetArmSource(const std::string& source) override;
    std::optional<ScpDescriptor> GetScpDescriptor(int channel) override;
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
    void ClearScpSettings(int position) override;
    double QueryTriggerTimer() override;
    void SetTriggerTimer(double seconds) override;
    void SetTriggerTimerMode(const std::string& mode) override;
    Text QueryTriggerTimerMode() override;
    Text QueryTriggerCount() override;
    void SetTriggerCount(const std::string& count) override;
    void SetFilterState(const std::string& state) override;
    Text QueryFilterState() override;
    std::optional<ScpSettings> GetScpSettings(int position) override;

    static constexpr double kNotANumber = 9.91e37;  // the SCPI "no value"
    static constexpr int kValueTableSize = 512;
    static constexpr int kDefaultTimeout = 10000;

protected:
    void NoteUnemulated(const char* operation) override;

private:
    // The settings block and channel index for a channel number, or null.
    ScpChannelSettings* FindChannel(int channel);
    int FindPosition(int channel) const;
    ScpChannelSettings* FindChannelText(const std::string& channel);
    template <typename Store>
    void ForEachChannel(const std::string& channels, Store store);

    int timeout_ = kDefaultTimeout;
    std::string triggerSource_ = "IMM";
    std::string armSource_ = "IMM";
    double triggerTimer_ = 0.001;
    std::string triggerTimerMode_ = "ASYN";
    std::string triggerCount_ = "1";
    std::string filterState_ = "OFF";
    std::array<std::string, 6> sampleTimers_;
    std::array<std::string, 5> scanLists_;
    std::array<double, kValueTableSize> valueTable_{};
    std::array<std::unique_ptr<ScpSettings>, kScpPositions> settingsBlocks_;
};
