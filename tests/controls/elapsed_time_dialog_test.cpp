#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "controls/elapsed_time_dialog.h"
#include "platform/tick_count.h"
#include "recording_dialogs.h"
#include "resources/dialog_template.h"

namespace {

void PressEscape(QWidget& widget) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &escape);
}

TEST(ElapsedTimeText, MinutesAndSeconds) {
    EXPECT_EQ(ElapsedTimeText(125000), "Time elapsed: 2 min 5 sec");
    EXPECT_EQ(ElapsedTimeText(999), "Time elapsed: 0 min 0 sec");
    EXPECT_EQ(ElapsedTimeText(3600000 + 59999), "Time elapsed: 60 min 59 sec");
}

TEST(ElapsedTimeDialog, ShowsTheTimeSinceOpeningInItsStatusLine) {
    ElapsedTimeDialog dialog(nullptr, templates::kCalibrationProgressDialog);
    EXPECT_EQ(dialog.windowTitle(), "Calibration in progress");
    dialog.show();
    platform::AdvanceTickCount(125000);
    dialog.OnTimer();
    EXPECT_EQ(dialog.Item<QLabel>(1346)->text(), "Time elapsed: 2 min 5 sec");
    EXPECT_TRUE(dialog.isVisible());
}

TEST(ElapsedTimeDialog, SelfTestDialogUsesLine1555UnderItsFixedLine) {
    ElapsedTimeDialog dialog(nullptr, templates::kSelfTestProgressDialog);
    EXPECT_EQ(dialog.windowTitle(), "Self Test in progress");
    dialog.show();
    platform::AdvanceTickCount(61000);
    dialog.OnTimer();
    EXPECT_EQ(dialog.Item<QLabel>(1555)->text(), "Time elapsed: 1 min 1 sec");
    const auto labels = dialog.findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const QLabel* label) {
        return label->text() == "Self Test.  May take 5 or more minutes.";
    }));
}

TEST(ElapsedTimeDialog, ClosesAtTheFirstTimerEventAfterAWorkerSetsDone) {
    ElapsedTimeDialog dialog(nullptr, templates::kCalibrationProgressDialog);
    dialog.show();
    std::thread worker([&dialog] { dialog.SetDone(); });
    worker.join();
    EXPECT_TRUE(dialog.isVisible());  // only the timer closes it
    dialog.OnTimer();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

TEST(ElapsedTimeDialog, RealTimerClosesItWithinASecond) {
    ElapsedTimeDialog dialog(nullptr, templates::kCalibrationProgressDialog);
    dialog.SetDone();
    EXPECT_EQ(dialog.exec(), 0);
}

// The first line an operator sees, a second after opening, must count that
// second. Several dialogs opened a few milliseconds apart meet the timer
// system at different phases, which is where a coarse timer fires early.
TEST(ElapsedTimeDialog, FirstRealTimerLineReadsOneSecond) {
    for (const int templateId :
         {templates::kCalibrationProgressDialog, templates::kSelfTestProgressDialog}) {
        std::vector<std::unique_ptr<ElapsedTimeDialog>> dialogs;
        for (int index = 0; index < 4; ++index) {
            dialogs.push_back(std::make_unique<ElapsedTimeDialog>(nullptr, templateId));
            dialogs.back()->show();
            std::this_thread::sleep_for(std::chrono::milliseconds(3 + 7 * index));
        }
        QElapsedTimer waited;
        waited.start();
        const auto allShowText = [&dialogs] {
            return std::all_of(dialogs.begin(), dialogs.end(),
                               [](const auto& dialog) { return !dialog->StatusText().isEmpty(); });
        };
        while (!allShowText() && waited.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        for (const auto& dialog : dialogs) {
            EXPECT_EQ(dialog->Item<QLabel>(dialog->StatusLineId())->text().toStdString(),
                      "Time elapsed: 0 min 1 sec");
        }
    }
}

// The worker still holds the dialog and its owner reads the worker's result
// once the dialog has closed: calibration cannot be cancelled, so Escape
// waits for the worker.
TEST(ElapsedTimeDialog, EscapeDoesNotCloseARunningCalibration) {
    ElapsedTimeDialog dialog(nullptr, templates::kCalibrationProgressDialog);
    dialog.show();
    PressEscape(dialog);
    EXPECT_TRUE(dialog.isVisible());
    dialog.SetDone();
    PressEscape(dialog);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ElapsedTimeDialog, EscapeOnSelfTestRunsTheCancelActionAndClosesWhenDone) {
    ScopedRecordingDialogs dialogs;  // the cancel question is answered OK
    ElapsedTimeDialog dialog(nullptr, templates::kSelfTestProgressDialog);
    int cancels = 0;
    dialog.SetCancelAction("Reset?", [&] {
        ++cancels;
        dialog.reject();  // the owner closes "the ordinary way": waits for done
    });
    dialog.show();
    PressEscape(dialog);
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(dialog.isVisible());
    dialog.SetDone();  // the device clear made the worker's call return
    dialog.OnTimer();
    EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
