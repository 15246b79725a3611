#include "controls/elapsed_time_dialog.h"

#include <QLabel>
#include <QTimerEvent>

#include "platform/tick_count.h"
#include "resources/dialog_template.h"

namespace {

constexpr int kCalibrationStatusLine = 1346;
constexpr int kSelfTestStatusLine = 1555;
constexpr int kTimerMs = 1000;

}  // namespace

QString ElapsedTimeText(std::uint32_t elapsedMs) {
    return QString::asprintf("Time elapsed: %d min %d sec", static_cast<int>(elapsedMs / 60000),
                             static_cast<int>((elapsedMs % 60000) / 1000));
}

ElapsedTimeDialog::ElapsedTimeDialog(QWidget* parent, int templateId)
    : platform::TemplateDialog(templateId, parent) {}

int ElapsedTimeDialog::StatusLineId() const {
    return TemplateId() == templates::kSelfTestProgressDialog ? kSelfTestStatusLine
                                                              : kCalibrationStatusLine;
}

void ElapsedTimeDialog::showEvent(QShowEvent* event) {
    platform::TemplateDialog::showEvent(event);
    if (!opened_) {
        Open();
    }
}

// A coarse timer may fire up to 5% early, and the first line would then read
// "0 min 0 sec" after a full second on screen. A precise timer never fires
// before its interval, and the start tick is taken before it starts.
void ElapsedTimeDialog::Open() {
    opened_ = true;
    startTick_ = platform::TickCount();
    timer_.start(kTimerMs, Qt::PreciseTimer, this);
}

void ElapsedTimeDialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) {
        platform::TemplateDialog::timerEvent(event);
        return;
    }
    OnTimer();
}

void ElapsedTimeDialog::OnTimer() {
    if (!opened_) {
        Open();
    }
    if (Done()) {
        timer_.stop();
        done(0);
        return;
    }
    statusText_ = ElapsedTimeText(platform::TicksSince(startTick_));
    if (auto* line = Item<QLabel>(StatusLineId())) {
        line->setText(statusText_);
    }
}

// The worker holds this dialog and its owner reads the worker's result once
// the dialog has closed, so the dialog never closes before the worker has
// marked it done: Escape on the self-test dialog runs the cancel action, which
// makes the worker's call return, and the dialog then closes at its next
// second like after any other end of the operation. Calibration cannot be
// cancelled, so Escape waits for it.
void ElapsedTimeDialog::reject() {
    if (Done()) {
        timer_.stop();
        done(0);
        return;
    }
    if (cancelling_ || TemplateId() != templates::kSelfTestProgressDialog || !cancelAction_) {
        return;
    }
    cancelling_ = true;
    cancelAction_();
    cancelling_ = false;
}
