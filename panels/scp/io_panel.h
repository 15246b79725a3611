#pragma once
// The input/output panel: per-channel input filter, gain, low connection and
// polarity; output current, polarity, excitation voltage and type; and the
// TTL trigger output. Every control sends to the channels of the selector.

#include <QPointer>
#include <string>

#include "app/panel.h"
#include "panels/scp/config_page.h"

class CIoDlg;

class CIoObj : public CPanel {
public:
    CIoObj();
    ~CIoObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;
    void Tick() override;
    // System / Reset calls it; the page shows what was sent, so nothing changes.
    void Synchronize() override {}

    CIoDlg* Page() const;

    SelectorState selector;
    std::string filterFrequency;
    std::string gain;
    int filterState = kUnknown;
    int inputLow = kUnknown;
    int inputPolarity = kUnknown;
    int currentAmplitude = kUnknown;
    int currentState = kUnknown;
    int outputPolarity = kUnknown;
    int outputType = kUnknown;
    int triggerSource = kUnknown;
    int triggerState = kUnknown;
    std::string excitationVoltage;
    std::string triggerLine;
};

class CIoDlg : public ConfigPage {
public:
    explicit CIoDlg(CIoObj& panel);

private:
    ConfigTables Tables();
    std::vector<SendAllStep> SendAllSteps();
    // The page's trigger line 0..7, or -1 when the list shows none.
    int TriggerLine() const;

    CIoObj& panel_;
};
