#pragma once
// The trigger/arm panel: where trigger and arm events come from (two knobs
// with a TTL-line lever each), the trigger timer period and the trigger count.
// Every change is sent at once; opening and Syncronize read the instrument and
// send nothing.

#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "app/panel.h"
#include "app/panel_page.h"
#include "panels/measurement/numeric_field.h"

class CTrigDlg;
class QLineEdit;
class QScrollBar;
class RotarySwitch;
class SlideSwitch;

class CTrigObj : public CPanel {
public:
    CTrigObj();
    ~CTrigObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Synchronize() override;
    void Show() override;

    CTrigDlg* Page() const;
};

// Knob positions.
namespace trigger_positions {
constexpr int kTtlt = 0;
constexpr int kScp = 1;
constexpr int kImmediate = 2;
constexpr int kHold = 3;
constexpr int kTimer = 4;  // trigger knob only
constexpr int kTriggerExternal = 5;
constexpr int kTriggerBus = 6;
constexpr int kArmExternal = 4;
constexpr int kArmBus = 5;
}  // namespace trigger_positions

// The source text a knob position sends ("TTLT<line>" at position 0).
std::string TriggerSourceText(int position, int line);
std::string ArmSourceText(int position, int line);
// The TTL line of a "TTLT<digit>" text, or null when the text is not "TTLT"
// followed by 0..7.
std::optional<int> TtlLine(const std::string& source);

// Timer limits in milliseconds and the spin step.
constexpr double kTimerMinimumMs = 0.1;
constexpr double kTimerMaximumMs = 6553.6;
constexpr double kTimerSpinStepMs = 100.0;
constexpr int kCountMaximum = 65535;

// The number a count text holds ("INF" is 0), when it is a whole number of
// 0..65535; null otherwise.
std::optional<int> ParseTriggerCount(const QString& text);
// One spin step of the count edit: "INF" up gives 1, down stays "INF"; a
// number moves by one within 0..65535 and 0 shows as "INF".
QString StepTriggerCount(const QString& text, bool up);

class CTrigDlg : public PanelPage {
public:
    explicit CTrigDlg(CTrigObj& panel);
    ~CTrigDlg() override;

    // Re-reads the instrument (Syncronize and the hidden refresh button).
    void Refresh();
    // Enter in the timer or count edit, or the hidden apply buttons.
    void ApplyTimer();
    void ApplyCount();
    void Infinity();

    RotarySwitch& TriggerSourceKnob() const { return *trigSource_; }
    SlideSwitch& TriggerLineLever() const { return *trigLine_; }
    RotarySwitch& ArmSourceKnob() const { return *armSource_; }
    SlideSwitch& ArmLineLever() const { return *armLine_; }
    QLineEdit* TimerEdit() const;
    QLineEdit* CountEdit() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void customEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Initialize();
    void CreateSwitches();
    void ConnectControls();
    void SetTabOrder();
    void ApplyEnableRules();
    bool RefreshSources();

    void TriggerSourceChanged();
    void TriggerLineChanged();
    void ArmSourceChanged();
    void ArmLineChanged();

    void TimerSpin(int action);
    void CountSpin(int action);
    void StepTimer(bool up);
    void StepCount(bool up);
    // Refills an edit that lost the focus without an apply.
    void RefillTimer();
    void RefillCount();
    bool ApplyButtonUnderMouse(int buttonId) const;
    bool EditKey(QLineEdit* edit, QEvent* event);

    CTrigObj& panel_;
    NumericField timer_;
    NumericField count_;
    std::unique_ptr<RotarySwitch> trigSource_;
    std::unique_ptr<SlideSwitch> trigLine_;
    std::unique_ptr<RotarySwitch> armSource_;
    std::unique_ptr<SlideSwitch> armLine_;
};
