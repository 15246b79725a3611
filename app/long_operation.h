#pragma once
// The long instrument operations (self test, calibration): a job on a worker
// thread while the modal elapsed-time dialog keeps the operator informed.
// The job never touches a widget; an instrument failure it reports through
// ReportInstrumentError is shown on the user-interface thread while the job
// waits, so the operator sees it before any result box.

#include <functional>
#include <string>

class QWidget;

// Runs `job` on a worker thread and the progress dialog on template
// `templateId` modally; returns the job's result once the dialog has closed
// (at its first second after the job has ended) and the worker has ended.
// `cancelAction` is what Escape does on the self-test dialog.
std::string RunLongOperation(QWidget* parent, int templateId,
                             const std::function<std::string()>& job,
                             std::function<void()> cancelAction = {});
