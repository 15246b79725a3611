#pragma once
// Source settings, sample timer, debounce and threshold, and the calibration
// commands. Tare and full calibration run on a worker thread while the modal
// elapsed-time dialog is up (RunLongOperation).

#include <array>
#include <string>
#include <vector>

#include "app/panel.h"
#include "panels/scp/config_page.h"

class CSourObj : public CPanel {
public:
    CSourObj();
    ~CSourObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;
    void Tick() override;

    // Remembered between showings: identifiers of the checked buttons, texts
    // as typed, the debounce table index.
    SelectorState selector;
    int frequencyModulation = kUnknown;
    int sourceFunction = kUnknown;
    int pulseModulation = kUnknown;
    std::string pulsePeriod;
    std::string pulseWidth;
    std::string sampleTimer;
    int debounce = kUnknown;
};

class CSourDlg : public ConfigPage {
public:
    static constexpr int kFmOn = 1515;
    static constexpr int kFmOff = 1516;
    static constexpr int kCondition = 1519;
    static constexpr int kPulse = 1520;
    static constexpr int kSquare = 1521;
    static constexpr int kPulmOn = 1522;
    static constexpr int kPulmOff = 1523;
    static constexpr int kPeriod = 1524;
    static constexpr int kWidth = 1525;
    static constexpr int kSampleTimer = 1529;
    static constexpr int kThresholdQuery = 1569;
    static constexpr int kThresholdReply = 1570;
    static constexpr int kDebounce = 1568;
    static constexpr int kCalTare = 1526;
    static constexpr int kResetTare = 1544;
    static constexpr int kStoreTare = 1543;
    static constexpr int kCalibrate = 1556;
    static constexpr int kStoreAdc = 1567;

    explicit CSourDlg(CSourObj& panel);

    void OnThresholdQuery();
    void OnCalTare();
    void OnCalibrate();
    const std::string& ThresholdText() const { return thresholdText_; }

private:
    ConfigTables Tables();
    void ConnectButtons();
    std::vector<SendAllStep> SendAllSteps();
    void AfterTick(int selectionCount) override;
    // "INP:THR?" only with exactly one channel; otherwise no reply is shown.
    void ApplyThresholdState(int selectionCount);
    void SetThreshold(const std::string& text);
    // Confirmation, raised time-out, worker with the progress dialog, result
    // box; the time-out is back at its normal value on every way out.
    void RunCalibration(const std::string& request, const char* passedText);

    CSourObj& panel_;
    std::string thresholdText_;
    int thresholdEnabled_ = kUnknown;
};

// The debounce list: the entry shown and the time sent, in seconds.
struct DebounceEntry {
    const char* text;
    double seconds;
};
const std::array<DebounceEntry, 16>& DebounceTable();
