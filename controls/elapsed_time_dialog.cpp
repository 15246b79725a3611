#include "controls/elapsed_time_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTimerEvent>

#include "platform/operator_dialogs.h"
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

void ElapsedTimeDialog::SetOperation(const QString& text) {
    if (auto* line = Item<QLabel>(templates::kProgressOperationLine)) {
        line->setText(text);
    }
}

void ElapsedTimeDialog::SetCancelAction(const QString& question, std::function<void()> action) {
    cancelQuestion_ = question;
    cancelAction_ = std::move(action);
    if (auto* cancel = Item<QPushButton>(templates::kProgressCancelButton)) {
        // Enter must not start the question by accident.
        cancel->setAutoDefault(false);
        cancel->setVisible(static_cast<bool>(cancelAction_));
    }
}

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
    // Not under the cancel question: it closes at the next second after it.
    if (Done() && !cancelling_) {
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
// marked it done: a confirmed cancel runs the cancel action, which makes the
// worker's call return, and the dialog then closes at its next second like
// after any other end of the operation. Without a cancel action (the
// calibration) Escape waits for the worker. A job that ends while the
// question is open needs no cancel any more.
void ElapsedTimeDialog::reject() {
    if (Done()) {
        timer_.stop();
        done(0);
        return;
    }
    if (cancelling_ || !cancelAction_) {
        return;
    }
    cancelling_ = true;
    const bool confirmed = platform::Dialogs().AskOkCancel(cancelQuestion_);
    if (confirmed && !Done()) {
        cancelAction_();
    }
    cancelling_ = false;
}
