#pragma once
// The modal progress dialog of the long operations (calibration, template 126;
// self test, template 148): it shows the time elapsed once a second and closes
// itself at the first second after its owner's worker has marked it done.

#include <QBasicTimer>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>

#include "platform/template_page.h"

class ElapsedTimeDialog : public platform::TemplateDialog {
    Q_OBJECT

public:
    // `templateId` is templates::kCalibrationProgressDialog or
    // templates::kSelfTestProgressDialog.
    ElapsedTimeDialog(QWidget* parent, int templateId);

    // Safe from any thread: the worker calls it when the operation has ended.
    void SetDone() { done_.store(true); }
    bool Done() const { return done_.load(); }

    // What Escape does on the self-test dialog (device clear and reset, so the
    // worker's call returns).
    void SetCancelAction(std::function<void()> action) { cancelAction_ = std::move(action); }

    // The status line: control 1346 or 1555.
    int StatusLineId() const;
    const QString& StatusText() const { return statusText_; }

    // One step of the one-second timer; tests call it directly.
    void OnTimer();

    // Escape and the window's close button.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void Open();

    QString statusText_;
    std::atomic<bool> done_{false};
    std::uint32_t startTick_ = 0;
    QBasicTimer timer_;
    std::function<void()> cancelAction_;
    bool opened_ = false;
    bool cancelling_ = false;
};

// "Time elapsed: %d min %d sec" for `elapsedMs` milliseconds.
QString ElapsedTimeText(std::uint32_t elapsedMs);
