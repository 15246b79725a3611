#pragma once
// The modal progress dialog of the long operations (calibration, template 126;
// self test, template 148): it names what runs, shows the time elapsed once a
// second and closes itself at the first second after its owner's worker has
// marked it done. Where the owner can cancel, a Cancel button (and Escape)
// asks the owner's question first.

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

    // The line that names what runs ("Self test in progress").
    void SetOperation(const QString& text);
    // What a confirmed Cancel does (on the self test: device clear and reset,
    // so that the worker's call returns); `question` is asked first, since
    // cancelling may cost the operator something. Shows the Cancel button.
    void SetCancelAction(const QString& question, std::function<void()> action);

    // The status line: control 1346 or 1555.
    int StatusLineId() const;
    const QString& StatusText() const { return statusText_; }

    // One step of the one-second timer; tests call it directly.
    void OnTimer();

    // Cancel, Escape and the window's close button.
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
    QString cancelQuestion_;
    std::function<void()> cancelAction_;
    bool opened_ = false;
    bool cancelling_ = false;
};

// "Time elapsed: %d min %d sec" for `elapsedMs` milliseconds.
QString ElapsedTimeText(std::uint32_t elapsedMs);
