#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>

#include "app_fixture.h"
#include "config_page_operator.h"
#include "instrument/driver_api.h"
#include "instrument/live_instrument.h"
#include "panels/scp/unit_value.h"
#include "panels/sense/source_panel.h"
#include "simulator_libraries.h"

namespace {

constexpr char kNoChannels[] = "No channels have been selected.  Command not sent.";

using Calls = std::vector<std::string>;

class SourcePanelTest : public AppFixture {
protected:
    void TearDown() override {
        page.reset();
        AppFixture::TearDown();
    }
    void Build() {
        page = std::make_unique<CSourDlg>(panel);
        session->ClearCalls();
    }
    void Leave() { page.reset(); }
    void CheckChannel(int index) { config_page_operator::CheckChannel(*page, index); }
    void Click(int id) { page->Item<QAbstractButton>(id)->click(); }
    void Pick(int id, int index) { config_page_operator::Pick(*page, id, index); }
    // Types into a field and presses Enter there, as the operator does.
    void Enter(int id, const QString& text) {
        auto* field = page->Item<QLineEdit>(id);
        field->setText(text);
        field->setFocus();
        QCoreApplication::processEvents();
        page->OnEnter();
    }
    void ShowPage() {
        page->show();
        page->activateWindow();
        QCoreApplication::processEvents();
    }

    CSourObj panel;
    std::unique_ptr<CSourDlg> page;
};

TEST_F(SourcePanelTest, DebounceRowsSendTheirSecondsAndNeedChannels) {
    Build();
    Pick(CSourDlg::kDebounce, 10);
    EXPECT_EQ(dialogs->Messages(), QStringList{kNoChannels});
    EXPECT_EQ(page->Item<QComboBox>(CSourDlg::kDebounce)->currentIndex(), -1);
    EXPECT_EQ(panel.debounce, kUnknown);
    EXPECT_TRUE(session->Calls().empty());
    CheckChannel(0);
    Pick(CSourDlg::kDebounce, 10);
    Pick(CSourDlg::kDebounce, 14);
    EXPECT_EQ(session->Calls(),
              (Calls{"SetDebounceTime(100,0.0766)", "SetDebounceTime(100,1.229)"}));
    EXPECT_EQ(page->Item<QComboBox>(CSourDlg::kDebounce)->count(), 16);
    EXPECT_EQ(page->Item<QComboBox>(CSourDlg::kDebounce)->itemText(10), "76.6 ms");
    EXPECT_EQ(panel.debounce, 14);
}

TEST_F(SourcePanelTest, TypedTimesGoOutInSecondsOrAreRefusedAndSendAllResendsThemAsTyped) {
    Build();
    ShowPage();
    CheckChannel(0);
    CheckChannel(3);
    Click(CSourDlg::kFmOn);
    Click(CSourDlg::kSquare);
    Click(CSourDlg::kPulmOff);
    Enter(CSourDlg::kPeriod, "100 us");
    Enter(CSourDlg::kWidth, "abc");
    Enter(CSourDlg::kSampleTimer, "1.5ms");
    Pick(CSourDlg::kDebounce, 3);
    EXPECT_EQ(session->Calls(),
              (Calls{"SetSourceFm(100,103,ON)", "SetSourceFunction(100,103,SQU)",
                     "SetSourcePulseModulation(100,103,OFF)", "SetPulsePeriod(100,103,0.0001)",
                     "SetSampleTimer(0.0015)", "SetDebounceTime(100,103,0.0006)"}));
    EXPECT_EQ(panel.pulsePeriod, "100 us");
    ASSERT_EQ(dialogs->Messages().size(), 1);
    EXPECT_TRUE(dialogs->Messages()[0].contains("\"abc\" is not a number"))
        << "refused, not sent as 0";
    EXPECT_TRUE(panel.pulseWidth.empty());
    session->ClearCalls();
    Click(ConfigPage::kSendAllButton);
    EXPECT_EQ(session->Calls(), (Calls{"SetSourceFm(100,103,ON)", "SetSourceFunction(100,103,SQU)",
                                       "SetSourcePulseModulation(100,103,OFF)",
                                       "SetPulsePeriod(100,103,100 us)", "SetSampleTimer(1.5ms)"}));
}

TEST_F(SourcePanelTest, EnterNeedsChannelsExceptInTheSampleTimerField) {
    Build();
    ShowPage();
    Enter(CSourDlg::kSampleTimer, "20 us");
    EXPECT_EQ(session->Calls(), Calls{"SetSampleTimer(2e-05)"});
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    Enter(CSourDlg::kPeriod, "1 ms");
    EXPECT_EQ(dialogs->Messages(), QStringList{kNoChannels});
    EXPECT_EQ(session->Calls().size(), 1u);
    EXPECT_TRUE(panel.pulsePeriod.empty());
    Enter(CSourDlg::kSampleTimer, "");
    EXPECT_TRUE(panel.sampleTimer.empty());
    EXPECT_EQ(session->Calls().size(), 1u);
}

TEST_F(SourcePanelTest, AFailedEnterEmptiesTheFieldAndSendAllSkipsIt) {
    Build();
    ShowPage();
    CheckChannel(1);
    session->FailOperation("SetPulseWidth", -1, 1);
    Enter(CSourDlg::kWidth, "10 us");
    EXPECT_TRUE(page->Item<QLineEdit>(CSourDlg::kWidth)->text().isEmpty());
    EXPECT_TRUE(panel.pulseWidth.empty());
    session->ClearCalls();
    Click(ConfigPage::kSendAllButton);
    EXPECT_EQ(session->CallCount("SetPulseWidth"), 0);
}

TEST_F(SourcePanelTest, ComingBackShowsWhatWasSentButNotTheThresholdReply) {
    Build();
    ShowPage();
    CheckChannel(2);
    Click(CSourDlg::kFmOff);
    Click(CSourDlg::kPulse);
    Click(CSourDlg::kPulmOn);
    Enter(CSourDlg::kPeriod, "200us");
    Enter(CSourDlg::kWidth, "50 us");
    Enter(CSourDlg::kSampleTimer, "1e-4");
    Pick(CSourDlg::kDebounce, 7);
    page->Tick();
    Click(CSourDlg::kThresholdQuery);
    EXPECT_EQ(page->Item<QLineEdit>(CSourDlg::kThresholdReply)->text(), "Output");
    Leave();
    Build();
    EXPECT_TRUE(page->Item<QAbstractButton>(CSourDlg::kFmOff)->isChecked());
    EXPECT_TRUE(page->Item<QAbstractButton>(CSourDlg::kPulse)->isChecked());
    EXPECT_TRUE(page->Item<QAbstractButton>(CSourDlg::kPulmOn)->isChecked());
    EXPECT_FALSE(page->Item<QAbstractButton>(CSourDlg::kFmOn)->isChecked());
    EXPECT_EQ(page->Item<QLineEdit>(CSourDlg::kPeriod)->text(), "200us");
    EXPECT_EQ(page->Item<QLineEdit>(CSourDlg::kWidth)->text(), "50 us");
    EXPECT_EQ(page->Item<QLineEdit>(CSourDlg::kSampleTimer)->text(), "1e-4");
    EXPECT_EQ(page->Item<QComboBox>(CSourDlg::kDebounce)->currentIndex(), 7);
    EXPECT_TRUE(page->Item<QLineEdit>(CSourDlg::kThresholdReply)->text().isEmpty());
    EXPECT_EQ(page->Selector().ChannelList(), std::optional<std::string>("102"));
}

TEST_F(SourcePanelTest, ThresholdQueryOnlyWithExactlyOneChannel) {
    Build();
    page->Tick();
    EXPECT_FALSE(page->Item(CSourDlg::kThresholdQuery)->isEnabled());
    EXPECT_FALSE(page->Item(CSourDlg::kCalTare)->isEnabled());
    EXPECT_FALSE(page->Item(CSourDlg::kPeriod)->isEnabled());
    EXPECT_TRUE(page->Item(CSourDlg::kSampleTimer)->isEnabled());
    EXPECT_TRUE(page->Item(CSourDlg::kCalibrate)->isEnabled());
    EXPECT_TRUE(page->Item(CSourDlg::kStoreAdc)->isEnabled());
    CheckChannel(4);
    page->Tick();
    ASSERT_TRUE(page->Item(CSourDlg::kThresholdQuery)->isEnabled());
    Click(CSourDlg::kThresholdQuery);
    EXPECT_EQ(session->Calls(), Calls{"QueryThreshold(104)"});
    EXPECT_EQ(page->ThresholdText(), "Output");
    CheckChannel(5);
    page->Tick();
    EXPECT_FALSE(page->Item(CSourDlg::kThresholdQuery)->isEnabled());
    EXPECT_TRUE(page->Item(CSourDlg::kCalTare)->isEnabled());
    EXPECT_TRUE(page->Item<QLineEdit>(CSourDlg::kThresholdReply)->text().isEmpty());
    EXPECT_TRUE(page->ThresholdText().empty());
}

TEST_F(SourcePanelTest, AFailedThresholdQueryIsReportedAndShowsNothing) {
    Build();
    CheckChannel(0);
    page->Tick();
    Click(CSourDlg::kThresholdQuery);
    session->FailOperation("QueryThreshold", driver::kTimeout, 1);
    Click(CSourDlg::kThresholdQuery);
    EXPECT_EQ(dialogs->Messages(), QStringList{"Time Out !"});
    EXPECT_TRUE(page->Item<QLineEdit>(CSourDlg::kThresholdReply)->text().isEmpty());
}

TEST_F(SourcePanelTest, StoreAndResetButtonsSendAtOnceWithoutChannels) {
    Build();
    Click(CSourDlg::kStoreTare);
    Click(CSourDlg::kResetTare);
    Click(CSourDlg::kStoreAdc);
    EXPECT_EQ(session->Calls(), (Calls{"StoreTare()", "ResetTare()", "StoreAdcCalibration()"}));
    EXPECT_EQ(dialogs->Count(DialogEvent::Question), 0);
    session->FailOperation("StoreAdcCalibration", driver::kTimeout, 1);
    Click(CSourDlg::kStoreAdc);
    EXPECT_EQ(dialogs->Messages(), QStringList{"Time Out !"});
}

// The worker runs for real; the progress dialog is not shown (the recorder
// rejects it at once) so the page waits for the worker's done mark.
TEST_F(SourcePanelTest, TareCalibrationRaisesTheTimeoutAndShowsTheWorkersResult) {
    Build();
    Click(CSourDlg::kCalTare);
    EXPECT_EQ(dialogs->Messages(), QStringList{kNoChannels});
    EXPECT_TRUE(session->Calls().empty());
    dialogs->Clear();
    CheckChannel(0);
    CheckChannel(1);
    Click(CSourDlg::kCalTare);
    EXPECT_EQ(session->Calls(), (Calls{"SetTimeout(600000)", "CalTare(100,101)", "QueryCalTare()",
                                       "SetTimeout(30000)"}));
    EXPECT_EQ(dialogs->Messages(), QStringList{"Cal Tare Passed"});
    ASSERT_EQ(dialogs->Count(DialogEvent::Question), 1);
    EXPECT_EQ(dialogs->Events()[0].text, "This can take five or more minutes Continue?");
    EXPECT_EQ(dialogs->Events()[1].text, "Calibration in progress");
    dialogs->Clear();
    session->SetCalibrationAnswers(5, std::string());
    Click(CSourDlg::kCalTare);
    EXPECT_EQ(dialogs->Messages(), QStringList{"Cal Tare Failed,See Status panel"});
}

TEST_F(SourcePanelTest, FailedCalibrationsTellTheOperatorToLookAtTheStatusPanel) {
    Build();
    CheckChannel(0);
    session->FailOperation("CalTare", driver::kInstrumentErrorQueued, 1);
    session->QueueError(-240, "Calibration failed");
    Click(CSourDlg::kCalTare);
    session->FailOperation("Calibrate", driver::kTimeout, 1);
    Click(CSourDlg::kCalibrate);
    EXPECT_EQ(dialogs->Messages(),
              (QStringList{"Cal Failed,See Status panel", "Cal Failed,See Status panel"}));
    EXPECT_EQ(session->CallCount("SetTimeout"), 4);
    EXPECT_EQ(session->Calls().back(), "SetTimeout(30000)");
    EXPECT_EQ(session->CallCount("QueryCalTare"), 0);
    // The error stays queued for the status panel.
    int code = 0;
    session->QueryErrorQueue(code);
    EXPECT_EQ(code, -240);
    // The failure's status was taken, so it does not reach the next report.
    EXPECT_EQ(session->GetLastStatus(), 0);
}

TEST_F(SourcePanelTest, FullCalibrationReportsPassedOrTheInstrumentsText) {
    Build();
    Click(CSourDlg::kCalibrate);
    EXPECT_EQ(session->Calls(), (Calls{"SetTimeout(600000)", "Calibrate()", "SetTimeout(30000)"}));
    session->SetCalibrationAnswers(0, "Cal Failed with code: 3");
    Click(CSourDlg::kCalibrate);
    EXPECT_EQ(dialogs->Messages(), (QStringList{"*CAL? passed", "Cal Failed with code: 3"}));
}

TEST_F(SourcePanelTest, CancelSendsNothingAndAFailedRaiseStillRestoresTheTimeout) {
    Build();
    dialogs->AnswerQuestion(false);
    Click(CSourDlg::kCalibrate);
    EXPECT_TRUE(session->Calls().empty());
    session->FailOperation("SetTimeout", driver::kTimeout, 1);
    Click(CSourDlg::kCalibrate);
    EXPECT_EQ(session->Calls(), (Calls{"SetTimeout(600000)", "SetTimeout(30000)"}));
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    EXPECT_EQ(dialogs->Count(DialogEvent::Modal), 0);
}

// Against the simulated instrument, with the progress dialog on screen.
class SourcePanelSimulatorTest : public SourcePanelTest {
protected:
    void SetUp() override {
        SourcePanelTest::SetUp();
        live = OpenLiveInstrument(SimulatorLibraries::Path(SimulatorLibraries::kDriver));
        ASSERT_NE(live, nullptr);
        instrument = live.get();
        app->instrument = std::move(live);
        session = nullptr;
        dialogs->HandleModal([this](QDialog& dialog) {
            const int result = dialog.exec();
            closedAfterMs = clock.elapsed();
            return result;
        });
    }
    void TearDown() override {
        page.reset();
        app->instrument.reset();
        AppFixture::TearDown();
    }
    void BuildLive() { page = std::make_unique<CSourDlg>(panel); }
    // Runs a calibration with the clock started at the click.
    void Calibrate(int button) {
        clock.start();
        Click(button);
        resultAfterMs = clock.elapsed();
    }

    SimulatorLibraries simulator;
    std::unique_ptr<LiveInstrument> live;
    LiveInstrument* instrument = nullptr;
    QElapsedTimer clock;
    qint64 closedAfterMs = -1;
    qint64 resultAfterMs = -1;
};

TEST_F(SourcePanelSimulatorTest, ATwoSecondCalibrationClosesItsDialogWithinASecondOfEnding) {
    BuildLive();
    simulator.DriverDirective("calibration 2000 0");
    const std::size_t mark = simulator.LogMark();
    Calibrate(CSourDlg::kCalibrate);
    EXPECT_EQ(dialogs->Messages(), QStringList{"*CAL? passed"});
    EXPECT_GE(closedAfterMs, 2000);
    EXPECT_LT(closedAfterMs, 3300);
    EXPECT_EQ(
        simulator.DriverCalls(mark),
        (Calls{"qot7720_timeOut 600000", "qot7720_cmdInt32_Q \"*CAL?\"", "qot7720_timeOut 30000"}));

    dialogs->Clear();
    simulator.DriverDirective("hold-ms *CAL? 2000");
    simulator.DriverDirective("fail-next *CAL? 0xBFFF0015");
    Calibrate(CSourDlg::kCalibrate);
    EXPECT_EQ(dialogs->Messages(), QStringList{"Cal Failed,See Status panel"});
    EXPECT_GE(closedAfterMs, 2000);
    EXPECT_LT(closedAfterMs, 3300);
    EXPECT_LT(resultAfterMs - closedAfterMs, 500);
    const Calls calls = simulator.DriverCalls(mark);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "qot7720_timeOut 30000");
}

TEST_F(SourcePanelSimulatorTest, TareCalibrationAndSendAllReachTheInstrument) {
    panel.frequencyModulation = CSourDlg::kFmOn;
    panel.sourceFunction = CSourDlg::kPulse;
    panel.pulseModulation = CSourDlg::kPulmOff;
    panel.pulsePeriod = "1e-3";
    panel.pulseWidth = "5e-4";
    panel.sampleTimer = "1e-4";
    panel.debounce = 4;
    panel.selector.checks[0] = CChanSelDlg::kChecked;
    panel.selector.checks[2] = CChanSelDlg::kChecked;
    BuildLive();
    const std::size_t mark = simulator.LogMark();
    Click(ConfigPage::kSendAllButton);
    EXPECT_EQ(
        simulator.DriverCalls(mark),
        (Calls{"qot7720_cmd \"SOUR:FM ON,(@100,102)\"", "qot7720_cmd \"SOUR:FUNC:PULS (@100,102)\"",
               "qot7720_cmd \"SOUR:PULM OFF,(@100,102)\"",
               "qot7720_cmd \"SOUR:PULS:PER 1e-3,(@100,102)\"",
               "qot7720_cmd \"SOUR:PULS:WID 5e-4,(@100,102)\"", "qot7720_cmd \"SAMP:TIM 1e-4\""}));
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    Calibrate(CSourDlg::kCalTare);
    EXPECT_EQ(dialogs->Messages(), QStringList{"Cal Tare Passed"});
    EXPECT_TRUE(
        HasLineStarting(simulator.DriverCalls(mark), "qot7720_cmd \"CAL:TARE (@100,102)\""));
}

}  // namespace
