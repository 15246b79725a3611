#include "app/long_operation.h"

#include <thread>
#include <utility>

#include "controls/elapsed_time_dialog.h"
#include "instrument/io_record.h"
#include "platform/operator_dialogs.h"
#include "platform/responsive_wait.h"

std::string RunLongOperation(QWidget* parent, int templateId, const QString& operation,
                             const std::function<std::string()>& job, LongOperationCancel cancel) {
    ElapsedTimeDialog dialog(parent, templateId);
    dialog.SetOperation(operation);
    if (cancel.action) {
        dialog.SetCancelAction(cancel.question, std::move(cancel.action));
    }
    // Written by the worker before it marks the dialog done, read after.
    std::string result;
    // The job's calls keep the origin of the action that started it.
    std::thread worker([&job, &dialog, &result, origin = iorecord::CurrentOrigin()] {
        iorecord::SetCallThread(iorecord::CallThread::LongOperation);
        const iorecord::OriginScope scope(origin);
        result = job();
        dialog.SetDone();
    });
    platform::Dialogs().RunModal(dialog);
    // Should the modal loop return before the job is done, keep serving the
    // job's error report until it is.
    platform::WaitWhile([&dialog] { return !dialog.Done(); });
    worker.join();
    return result;
}
