#pragma once
// The long instrument operations (self test, calibration): a job on a worker
// thread while the modal elapsed-time dialog keeps the operator informed.
// The job never touches a widget; an instrument failure it reports through
// ReportInstrumentError is shown on the user-interface thread while the job
// waits, so the operator sees it before any result box.

#include <QString>
#include <functional>
#include <string>

class QWidget;

// What the dialog's Cancel does, after `question` has been answered OK; an
// empty `action` means the operation cannot be cancelled.
struct LongOperationCancel {
    QString question;
    std::function<void()> action;
};

// Runs `job` on a worker thread and the progress dialog on template
// `templateId` modally, its first line reading `operation`; returns the
// job's result once the dialog has closed (at its first second after the job
// has ended) and the worker has ended.
std::string RunLongOperation(QWidget* parent, int templateId, const QString& operation,
                             const std::function<std::string()>& job,
                             LongOperationCancel cancel = {});
