#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>

#include "app_fixture.h"
#include "config_page_operator.h"
#include "instrument/driver_api.h"
#include "instrument/emulated_instrument.h"
#include "instrument/live_instrument.h"
#include "page_keys.h"
#include "panels/sense/source_panel.h"
#include "resources/menu_resource.h"
#include "simulator_libraries.h"

namespace {

const QString kNoChannels = QStringLiteral("No channels have been selected.  Command not sent.");
const QString kQuestion = QStringLiteral("This can take five or more minutes Continue?");
const QString kCalFailed = QStringLiteral("Cal Failed,See Status panel");

using Calls = std::vector<std::string>;

class SourcePanelTest : public AppFixture {
protected:
    void TearDown() override {
        page.reset();
        AppFixture::TearDown();
    }
    void Build() {
        page = std::make_unique<CSourDlg>(panel);
        if (session != nullptr) {
            session->ClearCalls();
        }
    }
    void Leave() { page.reset(); }
    void CheckChannel(int index) { config_page_operator::CheckChannel(*page, index); }
    QAbstractButton* Button(int id) { return page->Item<QAbstractButton>(id); }
    QLineEdit* Field(int id) { return page->Item<QLineEdit>(id); }
    void Click(int id) { Button(id)->click(); }
    void Pick(int id, int index) { config_page_operator::Pick(*page, id, index); }
    void PressEnterIn(QWidget* control) { config_page_operator::PressEnterIn(*page, control); }
    void Enter(int fieldId, const QString& text) {
        config_page_operator::Enter(*page, fieldId, text);
    }

    CSourObj panel;
    std::unique_ptr<CSourDlg> page;
};

// ---- buttons, list and fields --------------------------------------------

TEST_F(SourcePanelTest, EachDebounceRowSendsItsSecondsAndNothingWithoutChannels) {
    Build();
    Pick(CSourDlg::kDebounce, 10);
    EXPECT_EQ(dialogs->Messages(), QStringList{kNoChannels});
    EXPECT_EQ(page->Item<QComboBox>(CSourDlg::kDebounce)->currentIndex(), -1);
    EXPECT_EQ(panel.debounce, kUnknown);
    EXPECT_TRUE(session->Calls().empty());

    const std::pair<const char*, const char*> rows[] = {
        {"0 (none)", "0"},      {"150 us", "0.00015"},  {"300us", "0.0003"},
        {"600 us", "0.0006"},   {"1.2 ms", "0.0012"},   {"2.4 ms", "0.0024"},
        {"4.8 ms", "0.0048"},   {"9.6 ms", "0.0096"},   {"19.2 ms ", "0.0192"},
        {"38.4 ms", "0.0384"},  {"76.6 ms", "0.0766"},  {"153.6 ms", "0.1536"},
        {"307.2 ms", "0.3072"}, {"614.4 ms", "0.6144"}, {"1.229 S", "1.229"},
        {"2.458 S", "2.458"},
    };
    CheckChannel(0);
    auto* list = page->Item<QComboBox>(CSourDlg::kDebounce);
    ASSERT_EQ(list->count(), 16);
    for (int index = 0; index < 16; ++index) {
        EXPECT_EQ(list->itemText(index), rows[index].first);
        session->ClearCalls();
        Pick(CSourDlg::kDebounce, index);
        EXPECT_EQ(session->Calls(),
                  Calls{std::string("SetDebounceTime(100,") + rows[index].second + ")"});
    }
    EXPECT_EQ(panel.debounce, 15);

    session->FailOperation("SetDebounceTime", -1, 1);
    Pick(CSourDlg::kDebounce, 4);
    EXPECT_EQ(panel.debounce, kUnknown);
    EXPECT_EQ(list->currentIndex(), -1);
}

TEST_F(SourcePanelTest, RadioButtonsSendTheirValuesAndAFailureForgetsOnlyItsGroup) {
    Build();
    Click(CSourDlg::kFmOn);
    EXPECT_EQ(dialogs->Messages(), QStringList{kNoChannels});
    EXPECT_FALSE(Button(CSourDlg::kFmOn)->isChecked());
    EXPECT_EQ(panel.frequencyModulation, kUnknown);
    CheckChannel(1);
    for (const int id : {CSourDlg::kFmOn, CSourDlg::kFmOff, CSourDlg::kCondition, CSourDlg::kPulse,
                         CSourDlg::kSquare, CSourDlg::kPulmOn, CSourDlg::kPulmOff}) {
        Click(id);
    }
    EXPECT_EQ(session->Calls(),
              (Calls{"SetSourceFm(101,ON)", "SetSourceFm(101,OFF)", "SetSourceFunction(101,COND)",
                     "SetSourceFunction(101,PULS)", "SetSourceFunction(101,SQU)",
                     "SetSourcePulseModulation(101,ON)", "SetSourcePulseModulation(101,OFF)"}));
    EXPECT_EQ(panel.frequencyModulation, CSourDlg::kFmOff);
    EXPECT_EQ(panel.sourceFunction, CSourDlg::kSquare);
    EXPECT_EQ(panel.pulseModulation, CSourDlg::kPulmOff);

    session->FailOperation("SetSourceFunction", driver::kTimeout, 1);
    Click(CSourDlg::kCondition);
    EXPECT_EQ(dialogs->Messages().back(), "Time Out !");
    EXPECT_FALSE(Button(CSourDlg::kCondition)->isChecked());
    EXPECT_FALSE(Button(CSourDlg::kSquare)->isChecked());
    EXPECT_EQ(panel.sourceFunction, kUnknown);
    EXPECT_TRUE(Button(CSourDlg::kFmOff)->isChecked());
    EXPECT_EQ(panel.pulseModulation, CSourDlg::kPulmOff);
}

TEST_F(SourcePanelTest, TypedTimesGoOutInSecondsFromEnterAndFromSendAlike) {
    Build();
    CheckChannel(0);
    CheckChannel(3);
    Click(CSourDlg::kFmOn);
    Click(CSourDlg::kSquare);
    Click(CSourDlg::kPulmOff);
    Enter(CSourDlg::kPeriod, "100 us");
    Enter(CSourDlg::kWidth, "7.87us");
    Enter(CSourDlg::kSampleTimer, "1.5ms");
    Pick(CSourDlg::kDebounce, 3);
    EXPECT_EQ(session->Calls(),
              (Calls{"SetSourceFm(100,103,ON)", "SetSourceFunction(100,103,SQU)",
                     "SetSourcePulseModulation(100,103,OFF)", "SetPulsePeriod(100,103,0.0001)",
                     "SetPulseWidth(100,103,7.87e-06)", "SetSampleTimer(0.0015)",
                     "SetDebounceTime(100,103,0.0006)"}));
    EXPECT_EQ(panel.pulsePeriod, "100 us");
    EXPECT_EQ(Field(CSourDlg::kPeriod)->text(), "100 us");
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    // The instrument reads "2 MS" as 2 ms, the page no unit in it: refused
    // rather than sent as 2 seconds.
    Enter(CSourDlg::kWidth, "2 MS");
    EXPECT_EQ(dialogs->Messages().size(), 1);
    Enter(CSourDlg::kWidth, "7.87us");
    session->ClearCalls();
    Click(ConfigPage::kSendAllButton);
    EXPECT_EQ(session->Calls(),
              (Calls{"SetSourceFm(100,103,ON)", "SetSourceFunction(100,103,SQU)",
                     "SetSourcePulseModulation(100,103,OFF)", "SetPulsePeriod(100,103,0.0001)",
                     "SetPulseWidth(100,103,7.87e-06)", "SetSampleTimer(0.0015)"}));
}

TEST_F(SourcePanelTest, ATimeWithoutANumberIsRefusedAndForgotten) {
    panel.pulseWidth = "10 us";
    Build();
    CheckChannel(0);
    Enter(CSourDlg::kWidth, "wide");
    Enter(CSourDlg::kSampleTimer, "ms");
    EXPECT_TRUE(session->Calls().empty());
    EXPECT_EQ(dialogs->Messages(), (QStringList{"\"wide\" is not a number.  Command not sent.",
                                                "\"ms\" is not a number.  Command not sent."}));
    EXPECT_TRUE(Field(CSourDlg::kWidth)->text().isEmpty());
    EXPECT_TRUE(panel.pulseWidth.empty());
    EXPECT_TRUE(panel.sampleTimer.empty());
    Click(ConfigPage::kSendAllButton);
    EXPECT_TRUE(session->Calls().empty());
}

TEST_F(SourcePanelTest, EnterNeedsChannelsExceptInTheSampleTimerField) {
    Build();
    page->Tick();
    ASSERT_FALSE(Field(CSourDlg::kPeriod)->isEnabled());
    Enter(CSourDlg::kSampleTimer, "20 us");
    EXPECT_EQ(session->Calls(), Calls{"SetSampleTimer(2e-05)"});
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    EXPECT_EQ(panel.sampleTimer, "20 us");
    Enter(CSourDlg::kSampleTimer, "");
    EXPECT_TRUE(panel.sampleTimer.empty());
    PressEnterIn(Button(CSourDlg::kStoreAdc));
    EXPECT_EQ(session->Calls().back(), "StoreAdcCalibration()") << "Enter on a button presses it";
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    PressEnterIn(Field(CSourDlg::kThresholdReply));
    EXPECT_EQ(dialogs->Messages(), QStringList{kNoChannels});

    CheckChannel(2);
    page->Tick();
    Field(CSourDlg::kPeriod)->setText("1 ms");
    PressEnterIn(page->Item(CSourDlg::kDebounce));
    EXPECT_EQ(session->CallCount("SetPulsePeriod"), 0) << "only the focused field is sent";
    EXPECT_TRUE(panel.pulsePeriod.empty());
}

TEST_F(SourcePanelTest, AFailedEnterEmptiesTheFieldAndSendAllSkipsIt) {
    panel.pulsePeriod = "1e-3";
    Build();
    CheckChannel(1);
    session->FailOperation("SetPulseWidth", -1, 1);
    session->SetErrorMessage(-1, "Width refused");
    Enter(CSourDlg::kWidth, "10 us");
    EXPECT_EQ(dialogs->Messages(), QStringList{"Width refused"});
    EXPECT_TRUE(Field(CSourDlg::kWidth)->text().isEmpty());
    EXPECT_TRUE(panel.pulseWidth.empty());
    session->ClearCalls();
    Click(ConfigPage::kSendAllButton);
    EXPECT_EQ(session->Calls(), Calls{"SetPulsePeriod(101,0.001)"});
}

TEST_F(SourcePanelTest, SendAllNeedsChannelsAndStopsAtTheFirstFailureForgettingNothing) {
    panel.frequencyModulation = CSourDlg::kFmOn;
    panel.pulseModulation = CSourDlg::kPulmOn;
    panel.pulsePeriod = "200us";
    panel.sampleTimer = "1e-4";
    panel.debounce = 2;
    Build();
    Click(ConfigPage::kSendAllButton);
    EXPECT_EQ(dialogs->Messages(), QStringList{kNoChannels});
    EXPECT_TRUE(session->Calls().empty());
    dialogs->Clear();
    CheckChannel(5);
    session->FailOperation("SetSourcePulseModulation", driver::kTimeout, 1);
    Click(ConfigPage::kSendAllButton);
    EXPECT_EQ(session->Calls(), (Calls{"SetSourceFm(105,ON)", "SetSourcePulseModulation(105,ON)"}));
    EXPECT_EQ(dialogs->Messages(), QStringList{"Time Out !"});
    EXPECT_EQ(panel.pulseModulation, CSourDlg::kPulmOn);
    EXPECT_TRUE(Button(CSourDlg::kPulmOn)->isChecked());
    EXPECT_EQ(panel.pulsePeriod, "200us");
}

TEST_F(SourcePanelTest, ComingBackShowsWhatWasSentButNotTheThresholdReply) {
    Build();
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
    EXPECT_EQ(Field(CSourDlg::kThresholdReply)->text(), "Output");
    Leave();
    Build();
    EXPECT_TRUE(Button(CSourDlg::kFmOff)->isChecked());
    EXPECT_TRUE(Button(CSourDlg::kPulse)->isChecked());
    EXPECT_TRUE(Button(CSourDlg::kPulmOn)->isChecked());
    EXPECT_FALSE(Button(CSourDlg::kFmOn)->isChecked());
    EXPECT_EQ(Field(CSourDlg::kPeriod)->text(), "200us");
    EXPECT_EQ(Field(CSourDlg::kWidth)->text(), "50 us");
    EXPECT_EQ(Field(CSourDlg::kSampleTimer)->text(), "1e-4");
    EXPECT_EQ(page->Item<QComboBox>(CSourDlg::kDebounce)->currentIndex(), 7);
    EXPECT_TRUE(Field(CSourDlg::kThresholdReply)->text().isEmpty());
    EXPECT_EQ(page->Selector().ChannelList(), std::optional<std::string>("102"));
}

// ---- threshold and enabling ------------------------------------------------

TEST_F(SourcePanelTest, ThresholdQueryOnlyWithExactlyOneChannel) {
    Build();
    page->Tick();
    EXPECT_FALSE(Button(CSourDlg::kThresholdQuery)->isEnabled());
    for (const int id :
         {CSourDlg::kFmOn, CSourDlg::kSquare, CSourDlg::kPulmOff, CSourDlg::kPeriod,
          CSourDlg::kWidth, CSourDlg::kDebounce, CSourDlg::kCalTare, ConfigPage::kSendAllButton}) {
        EXPECT_FALSE(page->Item(id)->isEnabled()) << id;
    }
    for (const int id : {CSourDlg::kSampleTimer, CSourDlg::kResetTare, CSourDlg::kStoreTare,
                         CSourDlg::kCalibrate, CSourDlg::kStoreAdc}) {
        EXPECT_TRUE(page->Item(id)->isEnabled()) << id;
    }
    CheckChannel(4);
    page->Tick();
    ASSERT_TRUE(Button(CSourDlg::kThresholdQuery)->isEnabled());
    Click(CSourDlg::kThresholdQuery);
    EXPECT_EQ(session->Calls(), Calls{"QueryThreshold(104)"});
    EXPECT_EQ(page->ThresholdText(), "Output");
    CheckChannel(5);
    page->Tick();
    EXPECT_FALSE(Button(CSourDlg::kThresholdQuery)->isEnabled());
    EXPECT_TRUE(page->Item(CSourDlg::kCalTare)->isEnabled());
    EXPECT_TRUE(Field(CSourDlg::kThresholdReply)->text().isEmpty());
    EXPECT_TRUE(page->ThresholdText().empty());
}

TEST_F(SourcePanelTest, APageOpenedOnTwoChannelsOffersNoThresholdQueryBeforeItsFirstTick) {
    panel.selector.checks[0] = CChanSelDlg::kChecked;
    panel.selector.checks[1] = CChanSelDlg::kChecked;
    Build();
    EXPECT_FALSE(Button(CSourDlg::kThresholdQuery)->isEnabled());
    EXPECT_TRUE(Button(CSourDlg::kCalTare)->isEnabled());
}

TEST_F(SourcePanelTest, AFailedThresholdQueryIsReportedAndShowsNothing) {
    Build();
    CheckChannel(0);
    page->Tick();
    Click(CSourDlg::kThresholdQuery);
    ASSERT_EQ(Field(CSourDlg::kThresholdReply)->text(), "Output");
    session->FailOperation("QueryThreshold", driver::kTimeout, 1);
    Click(CSourDlg::kThresholdQuery);
    EXPECT_EQ(dialogs->Messages(), QStringList{"Time Out !"});
    EXPECT_TRUE(Field(CSourDlg::kThresholdReply)->text().isEmpty());
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

// ---- calibrations on the worker thread, recorded -------------------------

// The recorder rejects the progress dialog at once, so the page waits for
// the worker's done mark on its own.
TEST_F(SourcePanelTest, TareCalibrationAsksRaisesTheTimeoutAndShowsTheWorkersResult) {
    Build();
    Click(CSourDlg::kCalTare);
    EXPECT_EQ(dialogs->Messages(), QStringList{kNoChannels});
    EXPECT_EQ(dialogs->Count(DialogEvent::Question), 0);
    dialogs->Clear();
    CheckChannel(0);
    CheckChannel(1);
    Click(CSourDlg::kCalTare);
    EXPECT_EQ(session->Calls(), (Calls{"SetTimeout(600000)", "CalTare(100,101)", "QueryCalTare()",
                                       "SetTimeout(30000)"}));
    const std::vector<DialogEvent> events = dialogs->Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].text, kQuestion);
    EXPECT_EQ(events[1].kind, DialogEvent::Modal);
    EXPECT_EQ(events[1].text, "Calibration in progress");
    EXPECT_EQ(events[2].text, "Cal Tare Passed");
    dialogs->Clear();
    session->SetCalibrationAnswers(5, std::string());
    Click(CSourDlg::kCalTare);
    EXPECT_EQ(dialogs->Messages(), QStringList{"Cal Tare Failed,See Status panel"});
}

TEST_F(SourcePanelTest, FullCalibrationReportsPassedOrTheInstrumentsText) {
    Build();
    Click(CSourDlg::kCalibrate);
    EXPECT_EQ(session->Calls(), (Calls{"SetTimeout(600000)", "Calibrate()", "SetTimeout(30000)"}));
    session->SetCalibrationAnswers(0, "Cal Failed with code: 3");
    Click(CSourDlg::kCalibrate);
    EXPECT_EQ(dialogs->Messages(), (QStringList{"*CAL? passed", "Cal Failed with code: 3"}));
}

// Queued errors stay for the status panel that the result text points to;
// a time-out is nowhere else to be seen, so it is reported, from the
// user-interface thread, before the result.
TEST_F(SourcePanelTest, AFailedCalibrationPointsToTheStatusPanelAndReportsOnlyWhatIsNotThere) {
    Build();
    CheckChannel(0);
    session->FailOperation("CalTare", driver::kInstrumentErrorQueued, 1);
    session->QueueError(-240, "Calibration failed");
    Click(CSourDlg::kCalTare);
    EXPECT_EQ(dialogs->Messages(), QStringList{kCalFailed});
    EXPECT_EQ(session->CallCount("QueryCalTare"), 0);
    EXPECT_EQ(session->Calls().back(), "SetTimeout(30000)");
    int code = 0;
    session->QueryErrorQueue(code);
    EXPECT_EQ(code, -240) << "the error stays queued for the status panel";

    dialogs->Clear();
    session->ClearCalls();
    session->FailOperation("Calibrate", driver::kTimeout, 1);
    Click(CSourDlg::kCalibrate);
    EXPECT_EQ(dialogs->Messages(), (QStringList{"Time Out !", kCalFailed}));
    for (const DialogEvent& event : dialogs->Events()) {
        EXPECT_TRUE(event.onUiThread) << event.text.toStdString();
    }
    EXPECT_EQ(session->Calls(), (Calls{"SetTimeout(600000)", "Calibrate()", "SetTimeout(30000)"}));
}

TEST_F(SourcePanelTest, CancelSendsNothingAndAFailedTimeoutChangeIsReported) {
    Build();
    dialogs->AnswerQuestion(false);
    Click(CSourDlg::kCalibrate);
    EXPECT_TRUE(session->Calls().empty());
    EXPECT_TRUE(dialogs->Messages().isEmpty());

    session->FailOperation("SetTimeout", driver::kTimeout, 1);
    Click(CSourDlg::kCalibrate);
    EXPECT_EQ(session->Calls(), (Calls{"SetTimeout(600000)", "SetTimeout(30000)"}));
    EXPECT_EQ(dialogs->Messages(), QStringList{"Time Out !"});
    EXPECT_EQ(dialogs->Count(DialogEvent::Modal), 0) << "no calibration without its time-out";

    dialogs->Clear();
    session->ClearCalls();
    session->FailAfter("SetTimeout", 1, driver::kTimeout);
    Click(CSourDlg::kCalibrate);
    EXPECT_EQ(session->Calls(), (Calls{"SetTimeout(600000)", "Calibrate()", "SetTimeout(30000)"}));
    EXPECT_EQ(dialogs->Messages(), (QStringList{"*CAL? passed", "Time Out !"}));
}

TEST_F(SourcePanelTest, TheEmulatedInstrumentPassesBothCalibrationsAndAnswersTheThreshold) {
    app->instrument = std::make_unique<EmulatedInstrument>();
    session = nullptr;
    Build();
    CheckChannel(7);
    page->Tick();
    Click(CSourDlg::kThresholdQuery);
    EXPECT_EQ(Field(CSourDlg::kThresholdReply)->text(), "Output");
    Click(CSourDlg::kCalTare);
    Click(CSourDlg::kCalibrate);
    EXPECT_EQ(dialogs->Messages(), (QStringList{"Cal Tare Passed", "*CAL? passed"}));
}

// ---- the page from the menu, by keyboard -----------------------------------

TEST_F(SourcePanelTest, TheMenuShowsThePageAndTheKeyboardOperatesIt) {
    ASSERT_TRUE(Start());
    CSourObj* panelObject = nullptr;
    for (const auto& candidate : app->panels) {
        if (auto* found = dynamic_cast<CSourObj*>(candidate.get())) {
            panelObject = found;
        }
    }
    ASSERT_NE(panelObject, nullptr);
    panelObject->selector.checks[3] = CChanSelDlg::kChecked;
    mainWindow->OnCommand(menus::kSourcePanel);
    auto* shown = dynamic_cast<CSourDlg*>(CurrentPage());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(app->currentPanel, panelObject);
    mainWindow->OnTick();
    session->ClearCalls();

    ASSERT_TRUE(ActivateForKeys(*mainWindow));
    ASSERT_TRUE(TabTo(*mainWindow, CSourDlg::kPeriod, 40));
    QTest::keyClicks(QApplication::focusWidget(), "2ms");
    PressKey(*mainWindow, Qt::Key_Return);
    ASSERT_TRUE(TabTo(*mainWindow, CSourDlg::kThresholdQuery, 40));
    PressKey(*mainWindow, Qt::Key_Return);
    ASSERT_TRUE(TabTo(*mainWindow, CSourDlg::kStoreAdc, 40));
    PressKey(*mainWindow, Qt::Key_Space);
    EXPECT_EQ(session->Calls(),
              (Calls{"SetPulsePeriod(103,0.002)", "QueryThreshold(103)", "StoreAdcCalibration()"}));
    EXPECT_EQ(shown->ThresholdText(), "Output");
    EXPECT_EQ(panelObject->pulsePeriod, "2ms");
}

// ---- against the simulated instrument ----------------------------------

class SourcePanelSimulatorTest : public SourcePanelTest {
protected:
    void SetUp() override {
        SourcePanelTest::SetUp();
        app->instrument = OpenLiveInstrument(SimulatorLibraries::Path(SimulatorLibraries::kDriver));
        ASSERT_TRUE(app->instrument);
        session = nullptr;
        // The progress dialog runs for real; note when it has closed and how
        // many boxes were up by then.
        dialogs->HandleModal([this](QDialog& dialog) {
            const int result = dialog.exec();
            closedAfterMs = clock.elapsed();
            boxesWhileOpen = dialogs->Messages().size();
            return result;
        });
    }
    void TearDown() override {
        page.reset();
        app->instrument.reset();
        SourcePanelTest::TearDown();
    }
    void Calibrate(int button) {
        dialogs->Clear();
        clock.start();
        Click(button);
        resultAfterMs = clock.elapsed();
    }

    SimulatorLibraries simulator;
    QElapsedTimer clock;
    qint64 closedAfterMs = -1;
    qint64 resultAfterMs = -1;
    qsizetype boxesWhileOpen = -1;
};

TEST_F(SourcePanelSimulatorTest, ATwoSecondCalibrationClosesItsDialogWithinASecondOfEnding) {
    Build();
    simulator.DriverDirective("calibration 2000 0");
    std::size_t mark = simulator.LogMark();
    Calibrate(CSourDlg::kCalibrate);
    EXPECT_EQ(dialogs->Messages(), QStringList{"*CAL? passed"});
    EXPECT_EQ(boxesWhileOpen, 0);
    EXPECT_GE(closedAfterMs, 2000);
    EXPECT_LT(closedAfterMs, 3300);
    EXPECT_EQ(
        simulator.DriverCalls(mark),
        (Calls{"qot7720_timeOut 600000", "qot7720_cmdInt32_Q \"*CAL?\"", "qot7720_timeOut 30000"}));

    // A shorter one that fails with an instrument error ends the same way.
    simulator.DriverDirective("calibration 300 0");
    simulator.DriverDirective("queue-error -240 \"Calibration failed\"");
    mark = simulator.LogMark();
    Calibrate(CSourDlg::kCalibrate);
    EXPECT_EQ(dialogs->Messages(), QStringList{kCalFailed});
    EXPECT_EQ(boxesWhileOpen, 0);
    EXPECT_GE(closedAfterMs, 1000);
    EXPECT_LT(closedAfterMs, 1600);
    EXPECT_LT(resultAfterMs - closedAfterMs, 500);
    const Calls calls = simulator.DriverCalls(mark);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "qot7720_timeOut 30000");
    EXPECT_FALSE(HasLineStarting(calls, "qot7720_error_query")) << "left for the status panel";
}

TEST_F(SourcePanelSimulatorTest, SendAllAndATareCalibrationReachTheInstrument) {
    panel.frequencyModulation = CSourDlg::kFmOn;
    panel.sourceFunction = CSourDlg::kPulse;
    panel.pulseModulation = CSourDlg::kPulmOff;
    panel.pulsePeriod = "1 ms";
    panel.pulseWidth = "500us";
    panel.sampleTimer = "1e-4";
    panel.debounce = 4;
    panel.selector.checks[0] = CChanSelDlg::kChecked;
    panel.selector.checks[2] = CChanSelDlg::kChecked;
    Build();
    std::size_t mark = simulator.LogMark();
    Click(ConfigPage::kSendAllButton);
    EXPECT_EQ(simulator.DriverCalls(mark), (Calls{"qot7720_cmd \"SOUR:FM ON,(@100,102)\"",
                                                  "qot7720_cmd \"SOUR:FUNC:PULS (@100,102)\"",
                                                  "qot7720_cmd \"SOUR:PULM OFF,(@100,102)\"",
                                                  "qot7720_cmd \"SOUR:PULS:PER 0.001,(@100,102)\"",
                                                  "qot7720_cmd \"SOUR:PULS:WID 0.0005,(@100,102)\"",
                                                  "qot7720_cmd \"SAMP:TIM 0.0001\""}));
    EXPECT_TRUE(dialogs->Messages().isEmpty());

    mark = simulator.LogMark();
    Calibrate(CSourDlg::kCalTare);
    EXPECT_EQ(dialogs->Messages(), QStringList{"Cal Tare Passed"});
    EXPECT_EQ(simulator.DriverCalls(mark),
              (Calls{"qot7720_timeOut 600000", "qot7720_cmd \"CAL:TARE (@100,102)\"",
                     "qot7720_cmdInt32_Q \"CAL:TARE?\"", "qot7720_timeOut 30000"}));
}

}  // namespace
