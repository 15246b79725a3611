#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "app_fixture.h"
#include "controls/notify_message_event.h"
#include "controls/rotary_switch.h"
#include "controls/slide_switch.h"
#include "instrument/driver_api.h"
#include "instrument/live_instrument.h"
#include "panels/measurement/numeric_field.h"
#include "panels/measurement/trigger_panel.h"
#include "resources/menu_resource.h"
#include "simulator_libraries.h"

namespace {

using namespace trigger_positions;
using Calls = std::vector<std::string>;

const QString kTimerRefused = "Trig timer value is out of range and cannot be set.";
const QString kCountRefused = "Trigger count is out of range!";

void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& point) {
    QMouseEvent event(type, QPointF(point), QPointF(widget->mapToGlobal(point)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void SendKey(QWidget* widget, int key, const QString& text = QString()) {
    ASSERT_NE(widget, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &release);
}

// What the page and its instrument look like, whichever session sits behind it.
class TriggerPageDriver {
public:
    CTrigDlg* page = nullptr;

    void Deliver() const { QCoreApplication::sendPostedEvents(page, NotifyMessageEvent::Type()); }

    void Click(const QPoint& point) const {
        SendMouse(page, QEvent::MouseButtonPress, point);
        SendMouse(page, QEvent::MouseButtonRelease, point);
        Deliver();
    }

    void ClickLabel(const RotarySwitch& knob, int position) const {
        Click(knob.LabelRects().at(static_cast<std::size_t>(position)).center());
    }

    void ClickTick(const SlideSwitch& lever, int detent) const {
        const slide::Layout& layout = lever.LayoutGeometry();
        Click(QPoint(layout.track.center().x(), layout.ticks.at(static_cast<std::size_t>(detent))));
    }

    void Enter(QLineEdit* edit, const QString& text) const {
        edit->setText(text);
        SendKey(edit, Qt::Key_Return);
    }

    QScrollBar* Spin(int id) const { return page->Item<QScrollBar>(id); }

    // One click on a spin arrow: the step on the press, the apply on the release.
    void SpinClick(int id, bool up) const {
        QScrollBar* spin = Spin(id);
        spin->triggerAction(up ? QAbstractSlider::SliderSingleStepSub
                               : QAbstractSlider::SliderSingleStepAdd);
        SendMouse(spin, QEvent::MouseButtonRelease, QPoint(1, 1));
    }

    void LoseFocus(QLineEdit* edit) const {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(edit, &out);
    }
};

class TriggerPanelTest : public AppFixture, protected TriggerPageDriver {
protected:
    void ShowPanel() {
        ASSERT_TRUE(Start());
        mainWindow->OnCommand(menus::kTriggerPanel);
        page = dynamic_cast<CTrigDlg*>(CurrentPage());
        ASSERT_NE(page, nullptr);
    }

    // The calls of the session that send something.
    Calls Sent() const {
        Calls sent;
        for (const std::string& call : session->Calls()) {
            if (call.rfind("Set", 0) == 0) {
                sent.push_back(call);
            }
        }
        return sent;
    }

    // Gives the instrument a setting as if another program had sent it.
    void InstrumentHas(const std::string& trigger, const std::string& arm = "IMM") {
        session->EmulatedInstrument::SetTriggerSource(trigger);
        session->EmulatedInstrument::SetArmSource(arm);
    }
};

}  // namespace

TEST(NumericFieldText, ReadsNumbersWithTheirScalingSuffix) {
    struct Row {
        const char* text;
        double value;
        bool error;
    };
    const Row rows[] = {
        {"2k", 2000, false}, {"1.5 M", 1.5e6, false}, {"3m", 0.003, false}, {"1T", 1e12, false},
        {"1G", 1e9, false},  {"4u", 4e-6, false},     {"5n", 5e-9, false},  {"6p", 6e-12, false},
        {"2K", 2, false},    {"7x", 7, false},        {"  4", 4, false},    {"1e3k", 1e6, false},
        {"5.", 5, false},    {".5", 0.5, false},      {"-2", -2, false},    {"abc", 0, true},
        {"", 0, true},       {"k2", 0, true},         {"nan", 0, true},     {"inf", 0, true},
        {"0x10", 0, false},
    };
    for (const Row& row : rows) {
        bool error = false;
        EXPECT_DOUBLE_EQ(NumericField::ParseText(QString::fromLatin1(row.text), error), row.value)
            << row.text;
        EXPECT_EQ(error, row.error) << row.text;
    }
}

TEST(TriggerCountText, StepsAndLimits) {
    EXPECT_EQ(StepTriggerCount("1", false), "INF");
    EXPECT_EQ(StepTriggerCount("inf", true), "1");
    EXPECT_EQ(StepTriggerCount("INF", false), "INF");
    EXPECT_EQ(StepTriggerCount("65535", true), "65535");
    EXPECT_EQ(StepTriggerCount("65534", true), "65535");
    EXPECT_EQ(StepTriggerCount("junk", true), "1");
    EXPECT_EQ(ParseTriggerCount(" inf "), 0);
    EXPECT_EQ(ParseTriggerCount("65535"), 65535);
    EXPECT_EQ(ParseTriggerCount("1e3"), 1000);
    for (const char* refused : {"65536", "-1", "abc", "1.5", "", "12abc"}) {
        EXPECT_EQ(ParseTriggerCount(refused), std::nullopt) << refused;
    }
}

TEST_F(TriggerPanelTest, TtlLine3SetsKnobAndLeverWithTheArmControlsDisabled) {
    InstrumentHas("TTLT3");
    ShowPanel();
    EXPECT_EQ(page->TriggerSourceKnob().Selected(), kTtlt);
    EXPECT_TRUE(page->TriggerLineLever().Enabled());
    EXPECT_EQ(page->TriggerLineLever().Selected(), 3);
    EXPECT_FALSE(page->ArmSourceKnob().Enabled());
    EXPECT_FALSE(page->ArmLineLever().Enabled());
    EXPECT_EQ(session->CallCount("QueryArmSource"), 0);
    EXPECT_EQ(Sent(), Calls{}) << "opening sends nothing";
    EXPECT_TRUE(mainWindow->synchronizeAllowed);
}

TEST_F(TriggerPanelTest, OpeningShowsTimerInMillisecondsAndTheCountText) {
    session->EmulatedInstrument::SetTriggerTimer(0.0025);
    session->EmulatedInstrument::SetTriggerCount("INF");
    InstrumentHas("TIM", "TTLT6");
    ShowPanel();
    EXPECT_EQ(page->TimerEdit()->text(), "2.5");
    EXPECT_EQ(page->CountEdit()->text(), "INF");
    EXPECT_EQ(page->TriggerSourceKnob().Selected(), kTimer);
    EXPECT_FALSE(page->TriggerLineLever().Enabled());
    EXPECT_TRUE(page->ArmSourceKnob().Enabled());
    EXPECT_EQ(page->ArmSourceKnob().Selected(), kTtlt);
    EXPECT_TRUE(page->ArmLineLever().Enabled());
    EXPECT_EQ(page->ArmLineLever().Selected(), 6);
}

TEST_F(TriggerPanelTest, KnobToTimerSendsTimThenTheArmSource) {
    InstrumentHas("TTLT3");
    ShowPanel();
    ClickLabel(page->TriggerSourceKnob(), kTimer);
    EXPECT_EQ(Sent(), (Calls{"SetTriggerSource(TIM)", "SetArmSource(TTLT0)"}));
    EXPECT_FALSE(page->TriggerLineLever().Enabled());
    EXPECT_TRUE(page->ArmSourceKnob().Enabled());
    EXPECT_TRUE(page->ArmLineLever().Enabled()) << "the arm knob shows TTLT";

    session->ClearCalls();
    ClickLabel(page->TriggerSourceKnob(), kTriggerBus);
    EXPECT_EQ(Sent(), Calls{"SetTriggerSource(BUS)"});
    EXPECT_FALSE(page->ArmSourceKnob().Enabled());
    EXPECT_FALSE(page->ArmLineLever().Enabled());
}

TEST_F(TriggerPanelTest, AFailedTriggerSourceIsReportedAndTheArmSourceNotSent) {
    ShowPanel();
    session->SetErrorMessage(-5, "Trigger refused");
    session->FailOperation("SetTriggerSource", -5, 1);
    ClickLabel(page->TriggerSourceKnob(), kTimer);
    EXPECT_EQ(dialogs->Messages(), QStringList{"Trigger refused"});
    EXPECT_EQ(session->CallCount("SetArmSource"), 0);
}

TEST_F(TriggerPanelTest, LeversSendTheirLineAndTheArmLeverFollowsTheArmKnob) {
    InstrumentHas("TIM", "TTLT2");
    ShowPanel();
    ClickTick(page->ArmLineLever(), 5);
    EXPECT_EQ(Sent(), Calls{"SetArmSource(TTLT5)"});

    session->ClearCalls();
    ClickLabel(page->ArmSourceKnob(), kImmediate);
    EXPECT_FALSE(page->ArmLineLever().Enabled());
    ClickTick(page->ArmLineLever(), 1);  // disabled: ignored
    ClickLabel(page->ArmSourceKnob(), kTtlt);
    EXPECT_TRUE(page->ArmLineLever().Enabled());
    EXPECT_EQ(Sent(), (Calls{"SetArmSource(IMM)", "SetArmSource(TTLT5)"}));

    session->ClearCalls();
    ClickLabel(page->TriggerSourceKnob(), kTtlt);
    ClickTick(page->TriggerLineLever(), 7);
    EXPECT_EQ(Sent(), (Calls{"SetTriggerSource(TTLT0)", "SetTriggerSource(TTLT7)"}));
}

TEST_F(TriggerPanelTest, TimerOutsideItsRangeIsRefusedAndTenIsSentInSeconds) {
    ShowPanel();
    for (const char* text : {"6553.7", "7k", "0.09", "abc", "nan", "inf", "1e400", "6.6M"}) {
        dialogs->Clear();
        Enter(page->TimerEdit(), text);
        EXPECT_EQ(dialogs->Messages(), QStringList{kTimerRefused}) << text;
    }
    EXPECT_EQ(session->CallCount("SetTriggerTimer"), 0);

    dialogs->Clear();
    Enter(page->TimerEdit(), "10");
    Enter(page->TimerEdit(), "0.1");
    Enter(page->TimerEdit(), "6.5536k");
    Enter(page->TimerEdit(), " 250000 u");
    Enter(page->TimerEdit(), "2k");  // 2000 ms lies inside the range
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    EXPECT_EQ(Sent(),
              (Calls{"SetTriggerTimer(0.01)", "SetTriggerTimer(0.0001)", "SetTriggerTimer(6.5536)",
                     "SetTriggerTimer(0.00025)", "SetTriggerTimer(2)"}));
    EXPECT_EQ(page->TimerEdit()->text(), "2000") << "the value read is shown";
}

TEST_F(TriggerPanelTest, TimerSpinStepsByAHundredWithinItsLimitsAndAppliesOnRelease) {
    ShowPanel();
    page->TimerEdit()->setText("6500");
    SpinClick(1064, true);
    EXPECT_EQ(page->TimerEdit()->text(), "6553.6");
    page->TimerEdit()->setText("50");
    SpinClick(1064, false);
    EXPECT_EQ(page->TimerEdit()->text(), "0.1");
    page->TimerEdit()->setText("250");
    SpinClick(1064, true);
    EXPECT_EQ(page->TimerEdit()->text(), "350");
    EXPECT_EQ(Sent(), (Calls{"SetTriggerTimer(6.5536)", "SetTriggerTimer(0.0001)",
                             "SetTriggerTimer(0.35)"}));
    EXPECT_EQ(Spin(1064)->value(), 50) << "the bar itself never moves";
}

TEST_F(TriggerPanelTest, CountSpinGoesThroughInfAndStopsAtTheTop) {
    session->EmulatedInstrument::SetTriggerCount("1");
    ShowPanel();
    SpinClick(1074, false);
    EXPECT_EQ(page->CountEdit()->text(), "INF");
    SpinClick(1074, false);
    EXPECT_EQ(page->CountEdit()->text(), "INF");
    SpinClick(1074, true);
    EXPECT_EQ(page->CountEdit()->text(), "1");
    page->CountEdit()->setText("65535");
    SpinClick(1074, true);
    EXPECT_EQ(page->CountEdit()->text(), "65535");
    EXPECT_EQ(Sent(), (Calls{"SetTriggerCount(INF)", "SetTriggerCount(INF)", "SetTriggerCount(1)",
                             "SetTriggerCount(65535)"}));
}

TEST_F(TriggerPanelTest, CountAcceptsInfAndWholeNumbersOnly) {
    ShowPanel();
    for (const char* text : {"65536", "-1"}) {
        dialogs->Clear();
        Enter(page->CountEdit(), text);
        EXPECT_EQ(dialogs->Messages(), QStringList{kCountRefused}) << text;
    }
    // Not a whole number: the message says what a count is, quoting the text.
    for (const char* text : {"abc", "2.7", "12abc"}) {
        dialogs->Clear();
        Enter(page->CountEdit(), text);
        EXPECT_EQ(dialogs->Messages(),
                  QStringList{QString("\"%1\" is not a trigger count.  Type a whole number from 0 "
                                      "to 65535, or INF.  Command not sent.")
                                  .arg(text)})
            << text;
    }
    EXPECT_EQ(session->CallCount("SetTriggerCount"), 0);
    dialogs->Clear();
    Enter(page->CountEdit(), " inf ");
    EXPECT_EQ(page->CountEdit()->text(), "INF");
    Enter(page->CountEdit(), "1e3");
    EXPECT_EQ(page->CountEdit()->text(), "1000");
    page->CountEdit()->setText("7");
    page->Item<QPushButton>(1073)->click();
    EXPECT_EQ(page->CountEdit()->text(), "INF");
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    EXPECT_EQ(Sent(),
              (Calls{"SetTriggerCount(INF)", "SetTriggerCount(1000)", "SetTriggerCount(INF)"}));
}

TEST_F(TriggerPanelTest, AnEditThatLosesTheFocusWithoutApplyIsRefilled) {
    session->EmulatedInstrument::SetTriggerTimer(0.004);
    session->EmulatedInstrument::SetTriggerCount("12");
    ShowPanel();
    page->TimerEdit()->setText("999");
    LoseFocus(page->TimerEdit());
    EXPECT_EQ(page->TimerEdit()->text(), "4");
    page->CountEdit()->setText("999");
    LoseFocus(page->CountEdit());
    EXPECT_EQ(page->CountEdit()->text(), "12");

    page->TimerEdit()->setText("999");  // a context menu does not count
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(page->TimerEdit(), &popup);
    EXPECT_EQ(page->TimerEdit()->text(), "999");
    EXPECT_EQ(Sent(), Calls{});
}

TEST_F(TriggerPanelTest, RefreshReadsEverythingAndSendsNothing) {
    InstrumentHas("IMM");
    ShowPanel();
    InstrumentHas("TIM", "TTLT4");
    session->EmulatedInstrument::SetTriggerTimer(0.2);
    session->EmulatedInstrument::SetTriggerCount("5");
    mainWindow->OnCommand(menus::kSynchronize);
    EXPECT_EQ(page->TriggerSourceKnob().Selected(), kTimer);
    EXPECT_TRUE(page->ArmSourceKnob().Enabled());
    EXPECT_EQ(page->ArmSourceKnob().Selected(), kTtlt);
    EXPECT_EQ(page->ArmLineLever().Selected(), 4);
    EXPECT_TRUE(page->ArmLineLever().Enabled());
    EXPECT_EQ(page->TimerEdit()->text(), "200");
    EXPECT_EQ(page->CountEdit()->text(), "5");

    InstrumentHas("ext");
    page->Item<QPushButton>(1345)->click();
    EXPECT_EQ(page->TriggerSourceKnob().Selected(), kTriggerExternal);
    EXPECT_FALSE(page->ArmSourceKnob().Enabled());
    EXPECT_FALSE(page->ArmLineLever().Enabled());
    EXPECT_FALSE(page->TriggerLineLever().Enabled());
    EXPECT_EQ(Sent(), Calls{});
}

TEST_F(TriggerPanelTest, TtltFollowedByALetterStopsTheRefreshAfterItsFirstStep) {
    InstrumentHas("TIM", "BUS");
    ShowPanel();
    const QString timer = page->TimerEdit()->text();
    session->SetTriggerSourceAnswer(" ttltx ");
    session->EmulatedInstrument::SetTriggerTimer(0.5);
    session->ClearCalls();
    mainWindow->OnCommand(menus::kSynchronize);
    EXPECT_EQ(session->Calls(), Calls{"QueryTriggerSource()"});
    EXPECT_EQ(page->TriggerSourceKnob().Selected(), kTimer);
    EXPECT_TRUE(page->ArmSourceKnob().Enabled());
    EXPECT_EQ(page->ArmSourceKnob().Selected(), kArmBus);
    EXPECT_EQ(page->TimerEdit()->text(), timer);
}

TEST_F(TriggerPanelTest, AFailedQueryIsReportedOnceAndTheRefreshEnds) {
    ShowPanel();
    session->FailOperation("QueryTriggerSource", driver::kTimeout, 1);
    session->ClearCalls();
    mainWindow->OnCommand(menus::kSynchronize);
    EXPECT_EQ(dialogs->Messages(), QStringList{"Time Out !"});
    EXPECT_EQ(session->CallCount("QueryTriggerTimer"), 0);
}

TEST_F(TriggerPanelTest, ThePageWorksWithTheKeyboardAlone) {
    ShowPanel();
    mainWindow->show();
    mainWindow->activateWindow();
    QApplication::setActiveWindow(mainWindow);
    QCoreApplication::processEvents();
    // The page opens with the trigger knob as its focus; the offscreen
    // platform hands it over only when asked.
    ASSERT_EQ(page->focusWidget(), page->TriggerSourceKnob().FocusWidget());
    page->focusWidget()->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), page->TriggerSourceKnob().FocusWidget());

    auto key = [this](int code, const QString& text = QString()) {
        SendKey(QApplication::focusWidget(), code, text);
        Deliver();
    };
    key(Qt::Key_Home);  // from IMM to TTLT
    EXPECT_TRUE(page->TriggerLineLever().Enabled());
    key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), page->TriggerLineLever().FocusWidget());
    key(Qt::Key_Down);
    EXPECT_EQ(Sent(), (Calls{"SetTriggerSource(TTLT0)", "SetTriggerSource(TTLT1)"}));

    session->ClearCalls();
    key(Qt::Key_Backtab);
    for (int step = 0; step < kTimer; ++step) {
        key(Qt::Key_Right);
    }
    EXPECT_EQ(Sent().back(), "SetArmSource(TTLT0)");
    key(Qt::Key_Tab);  // past the disabled trigger-line lever
    ASSERT_EQ(QApplication::focusWidget(), page->ArmSourceKnob().FocusWidget());
    key(Qt::Key_Right);
    EXPECT_FALSE(page->ArmLineLever().Enabled());
    key(Qt::Key_Tab);  // past the disabled arm-line lever
    ASSERT_EQ(QApplication::focusWidget(), page->TimerEdit());

    session->ClearCalls();
    page->TimerEdit()->clear();
    for (const char* digit : {"2", "5", "0"}) {
        key(Qt::Key_0 + (digit[0] - '0'), QString::fromLatin1(digit));
    }
    key(Qt::Key_Return);
    key(Qt::Key_Up);  // the edit's spin: 350, applied when the key is let go
    key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), page->CountEdit());
    key(Qt::Key_Up);
    key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), page->Item(1073));
    key(Qt::Key_Space);
    const Calls sent = Sent();
    const Calls expected = {"SetTriggerTimer(0.25)", "SetTriggerTimer(0.35)", "SetTriggerCount(2)",
                            "SetTriggerCount(INF)"};
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(page->CountEdit()->text(), "INF");
}

// ---- against the simulated instrument ----

namespace {

class TriggerPanelSimulatorTest : public AppFixture, protected TriggerPageDriver {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        session = nullptr;
        app->instrument = OpenLiveInstrument(SimulatorLibraries::Path(SimulatorLibraries::kDriver));
    }

    void ShowPanel() {
        ASSERT_NE(app->instrument, nullptr);
        ASSERT_TRUE(Start());
        mark = sim.LogMark();
        mainWindow->OnCommand(menus::kTriggerPanel);
        page = dynamic_cast<CTrigDlg*>(CurrentPage());
        ASSERT_NE(page, nullptr);
    }

    // The SCPI commands (not queries) sent since `mark`.
    Calls Commands() const {
        Calls commands;
        for (const std::string& call : sim.DriverCalls(mark)) {
            if (call.rfind("qot7720_cmd ", 0) == 0) {
                commands.push_back(call.substr(12));
            }
        }
        return commands;
    }

    SimulatorLibraries sim;
    std::size_t mark = 0;
};

}  // namespace

TEST_F(TriggerPanelSimulatorTest, TtlLine3OpensWithTheArmControlsDisabledAndSendsNothing) {
    sim.DriverDirective("scpi \"TRIG:SOUR TTLT3\"");
    sim.DriverDirective("scpi \"TRIG:TIM 0.25\"");
    ShowPanel();
    EXPECT_EQ(page->TriggerSourceKnob().Selected(), kTtlt);
    EXPECT_EQ(page->TriggerLineLever().Selected(), 3);
    EXPECT_TRUE(page->TriggerLineLever().Enabled());
    EXPECT_FALSE(page->ArmSourceKnob().Enabled());
    EXPECT_FALSE(page->ArmLineLever().Enabled());
    EXPECT_EQ(page->TimerEdit()->text(), "250");
    EXPECT_EQ(Commands(), Calls{});
    EXPECT_TRUE(dialogs->Messages().isEmpty());
}

TEST_F(TriggerPanelSimulatorTest, KnobToTimerSendsTimThenTheArmSource) {
    ShowPanel();
    ClickLabel(page->TriggerSourceKnob(), kTimer);
    EXPECT_EQ(Commands(), (Calls{"\"TRIG:SOUR TIM\"", "\"ARM:SOUR TTLT0\""}));
    ClickLabel(page->ArmSourceKnob(), kHold);
    EXPECT_EQ(Commands().back(), "\"ARM:SOUR HOLD\"");
    EXPECT_TRUE(dialogs->Messages().isEmpty()) << "the instrument took every command";
}

TEST_F(TriggerPanelSimulatorTest, TimerAndCountReachTheInstrumentInItsUnits) {
    ShowPanel();
    Enter(page->TimerEdit(), "6553.7");
    Enter(page->TimerEdit(), "7k");
    EXPECT_EQ(dialogs->Messages(), QStringList(2, kTimerRefused));
    Enter(page->TimerEdit(), "2k");
    Enter(page->TimerEdit(), "10");
    page->CountEdit()->setText("1");
    SpinClick(1074, false);
    EXPECT_EQ(page->CountEdit()->text(), "INF");
    SpinClick(1074, true);
    EXPECT_EQ(Commands(), (Calls{"\"TRIG:TIM 2\"", "\"TRIG:TIM 0.01\"", "\"TRIG:COUNT 0\"",
                                 "\"TRIG:COUNT 1\""}));
    mainWindow->OnCommand(menus::kSynchronize);
    EXPECT_EQ(page->TimerEdit()->text(), "10");
    EXPECT_EQ(page->CountEdit()->text(), "1");
    EXPECT_EQ(dialogs->Messages().size(), 2);
}

TEST_F(TriggerPanelSimulatorTest, TtltFollowedByALetterStopsTheRefresh) {
    sim.DriverDirective("scpi \"TRIG:SOUR BUS\"");
    ShowPanel();
    sim.DriverDirective("answer TRIG:SOUR? TTLTQ");
    sim.DriverDirective("scpi \"TRIG:TIM 0.5\"");
    const std::size_t before = sim.LogMark();
    mainWindow->OnCommand(menus::kSynchronize);
    const Calls calls = sim.DriverCalls(before);
    EXPECT_TRUE(HasLineStarting(calls, "qot7720_cmdString_Q \"TRIG:SOUR?\""));
    EXPECT_FALSE(HasLineStarting(calls, "qot7720_cmdReal64_Q"));
    EXPECT_EQ(page->TriggerSourceKnob().Selected(), kTriggerBus);
    EXPECT_EQ(page->TimerEdit()->text(), "1");
}

TEST_F(TriggerPanelTest, LeavingThePageWithAnEditFocusedAsksTheInstrumentNothing) {
    ShowPanel();
    mainWindow->show();
    QApplication::setActiveWindow(mainWindow);
    page->TimerEdit()->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), page->TimerEdit());
    page->TimerEdit()->setText("999");
    session->ClearCalls();
    mainWindow->OnCommand(menus::kStatusPanel);
    EXPECT_EQ(session->CallCount("QueryTriggerTimer"), 0);
    EXPECT_EQ(session->CallCount("SetTriggerTimer"), 0);
}
