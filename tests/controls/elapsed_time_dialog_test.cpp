#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <thread>

#include "controls/elapsed_time_dialog.h"
#include "platform/tick_count.h"
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
    ElapsedTimeDialog dialog(nullptr, templates::kSelfTestProgressDialog);
    int cancels = 0;
    dialog.SetCancelAction([&] {
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
