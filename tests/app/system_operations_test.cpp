#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "app/about_dialog.h"
#include "app/main_panel_state.h"
#include "app_fixture.h"
#include "controls/elapsed_time_dialog.h"
#include "instrument/driver_api.h"
#include "platform/responsive_wait.h"
#include "resources/dialog_template.h"
#include "resources/menu_resource.h"

namespace {

class SystemOperationsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        dialogs->Clear();
        session->ClearCalls();
    }

    // Runs modal dialogs for real, as the operator's screen would.
    void RunModalDialogs() {
        dialogs->HandleModal([this](QDialog& dialog) {
            modalTitles.append(dialog.windowTitle());
            return dialog.exec();
        });
    }

    QStringList modalTitles;
};

}  // namespace

TEST_F(SystemOperationsTest, CancellingTheSelfTestQuestionChangesNothing) {
    app->readingMode.store(kAutoUpdateRunning);
    dialogs->AnswerQuestion(false);
    mainWindow->OnCommand(menus::kSelfTest);
    EXPECT_EQ(dialogs->Count(DialogEvent::Question), 1);
    EXPECT_TRUE(session->Calls().empty()) << "no instrument call after Cancel";
    EXPECT_EQ(app->readingMode.load(), kAutoUpdateRequested) << "auto update restarts";
    EXPECT_EQ(app->mainPanel->readingsPaused.load(), 0);
}

TEST_F(SystemOperationsTest, SelfTestShowsTheProgressDialogThenTheResult) {
    RunModalDialogs();
    mainWindow->OnCommand(menus::kSelfTest);
    EXPECT_EQ(modalTitles, QStringList{"Self Test in progress"});
    EXPECT_EQ(dialogs->Messages(), QStringList{"Self Test Passed."});
    EXPECT_EQ(session->Calls(),
              (std::vector<std::string>{"SetTimeout(600000)", "SelfTest()", "SetTimeout(30000)"}));
}

TEST_F(SystemOperationsTest, ASelfTestFailureIsReportedBeforeTheResult) {
    RunModalDialogs();
    session->FailOperation("SelfTest", driver::kTimeout);
    mainWindow->OnCommand(menus::kSelfTest);
    EXPECT_EQ(dialogs->Messages(), QStringList({"Time Out !", "Self Test Err"}));
    EXPECT_EQ(session->CallCount("SetTimeout"), 2);
}

TEST_F(SystemOperationsTest, ARaisedTimeoutFailureSkipsTheTest) {
    RunModalDialogs();
    session->FailOperation("SetTimeout", driver::kTimeout, 1);
    mainWindow->OnCommand(menus::kSelfTest);
    EXPECT_TRUE(modalTitles.isEmpty());
    EXPECT_EQ(session->CallCount("SelfTest"), 0);
    EXPECT_EQ(dialogs->Messages(), QStringList{"Time Out !"});
}

// The device clear ends the test's call with a failure of its own; reported,
// it and "Self Test Err" would stack over the dialog.
TEST_F(SystemOperationsTest, ACancelAsksFirstThenClearsResetsAndEndsWithOneMessage) {
    InstrumentSession& instrument = *app->instrument;
    session->HoldSelfTestUntilDeviceClear();
    session->SetErrorMessage(RecordingSession::kAbortedByDeviceClear, "Operation aborted");
    dialogs->HandleModal([&](QDialog& dialog) {
        auto& progress = static_cast<ElapsedTimeDialog&>(dialog);
        EXPECT_EQ(progress.Item<QLabel>(templates::kProgressOperationLine)->text(),
                  "Self test in progress");
        auto* cancel = progress.Item<QPushButton>(templates::kProgressCancelButton);
        EXPECT_FALSE(cancel->isHidden());
        dialogs->AnswerQuestion(false);
        cancel->click();
        EXPECT_EQ(session->CallCount("DeviceClear"), 0) << "declined: nothing sent";
        instrument.SetBusy(1);
        dialogs->AnswerQuestion(true);
        cancel->click();
        EXPECT_EQ(instrument.QueryBusy(), 0) << "busy cleared before the device clear";
        platform::WaitWhile([&progress] { return !progress.Done(); });
        progress.OnTimer();
        return progress.result();
    });
    mainWindow->OnCommand(menus::kSelfTest);
    const auto events = dialogs->Events();
    EXPECT_EQ(
        std::count_if(events.begin(), events.end(),
                      [](const DialogEvent& e) { return e.text.contains("resets it (*RST)"); }),
        2);
    // The emulated reset's own box, then the one message.
    EXPECT_EQ(dialogs->Messages(), (QStringList{"This is my NON LIVE RESET",
                                                "Self test cancelled; the instrument was reset."}));
    auto calls = session->Calls();
    calls.erase(std::remove(calls.begin(), calls.end(), "SelfTest()"), calls.end());
    EXPECT_EQ(calls, (std::vector<std::string>{"SetTimeout(600000)", "DeviceClear()", "Reset()",
                                               "SetTimeout(30000)"}));
}

TEST_F(SystemOperationsTest, AboutShowsTheRevisionsInBlue) {
    session->SetRevisions({"A.02.07", "A.03.01"});
    QStringList lines;
    QColor colour;
    dialogs->HandleModal([&](QDialog& dialog) {
        auto& about = static_cast<CAboutDlg&>(dialog);
        lines = {about.DriverRevisionLine(), about.FirmwareRevisionLine()};
        colour = about.Item<QLabel>(templates::kAboutDriverRevisionLine)
                     ->palette()
                     .color(QPalette::WindowText);
        return 0;
    });
    mainWindow->OnCommand(menus::kAbout);
    EXPECT_EQ(lines, QStringList({"VXIplug&play Driver revision: A.02.07 ",
                                  "Instrument firmware revision: A.03.01"}));
    EXPECT_EQ(colour, QColor(0, 0, 255));
}

TEST_F(SystemOperationsTest, AboutWithoutRevisionsOpensEmptyAndSilently) {
    session->FailOperation("QueryRevision", -1);
    session->SetErrorMessage(-1, "should not be shown");
    QStringList lines;
    dialogs->HandleModal([&](QDialog& dialog) {
        auto& about = static_cast<CAboutDlg&>(dialog);
        lines = {about.DriverRevisionLine(), about.FirmwareRevisionLine()};
        return 0;
    });
    mainWindow->OnCommand(menus::kAbout);
    EXPECT_EQ(lines, QStringList({QString(), QString()}));
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    EXPECT_EQ(session->GetLastStatus(), 0) << "the failure's status must not linger";
}
