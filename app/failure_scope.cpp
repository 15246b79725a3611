#include "app/failure_scope.h"

#include <QString>
#include <functional>

#include "app/sfp_app.h"
#include "instrument/driver_api.h"
#include "instrument/instrument_session.h"
#include "instrument/queued_errors.h"
#include "instrument/user_exception.h"
#include "platform/operator_dialogs.h"
#include "platform/ui_thread.h"
#include "resources/string_table.h"

namespace {

constexpr int kSlowTickPeriod = 300;

using ShowBox = std::function<void(const QString&)>;

void ShowPlainBox(const QString& text) {
    platform::Dialogs().ShowMessage(text);
}

// The driver's text for a status, if it has one.
void ShowDriverText(InstrumentSession& session, int status, const ShowBox& show) {
    if (const Text text = session.GetErrorMessage(status)) {
        show(QString::fromStdString(*text));
    }
}

// Each queued error in its own box. When the queue turns out empty the call
// still failed: the driver's text for the status says so, once.
void ShowQueuedErrors(InstrumentSession& session, int status, const QString& format,
                      const ShowBox& show) {
    session.PrepareErrorReport();
    bool shown = false;
    for (;;) {
        int code = 0;
        const Text message = session.QueryErrorQueue(code);
        if (code == 0) {
            break;
        }
        platform::Dialogs().Beep();
        show(QString(format).replace(QStringLiteral("%s"),
                                     QString::fromStdString(message.value_or(std::string()))));
        shown = true;
    }
    if (!shown) {
        ShowDriverText(session, status, show);
    }
}

void ShowReport(InstrumentSession& session, int status, const ShowBox& show) {
    const QString format = strings::LoadString(strings::kInstrumentReportsError);
    switch (status) {
        case driver::kInstrumentErrorQueued:
            ShowQueuedErrors(session, status, format, show);
            return;
        case driver::kBusy:
            show(QStringLiteral("Reentrant"));
            return;
        case driver::kTimeout:
            session.PrepareErrorReport();
            show(strings::LoadString(strings::kTimeOut));
            return;
        default:
            ShowDriverText(session, status, show);
            return;
    }
}

void ReportOnUiThread(int status, const ShowBox& show) {
    CSfpApp& app = App();
    if (app.mainWindow != nullptr) {
        app.mainWindow->StopTickTimer();
    }
    if (app.instrument) {
        ShowReport(*app.instrument, status, show);
    }
    if (app.mainWindow != nullptr) {
        app.mainWindow->StartTickTimer(kSlowTickPeriod);
    }
}

}  // namespace

void SwitchAutoUpdateOff() {
    CSfpApp& app = App();
    app.autoUpdate = false;
    // A request not yet taken by a tick must be stopped too, or the next tick
    // starts the engine while the menu shows it off.
    int mode = app.readingMode.load();
    while ((mode == kAutoUpdateRunning || mode == kAutoUpdateRequested) &&
           !app.readingMode.compare_exchange_weak(mode, kAutoUpdateStopping)) {
    }
    if (app.mainWindow != nullptr) {
        app.mainWindow->SetAutoUpdateChecked(false);
    }
}

void ReportAutoUpdateFailure(int status) {
    bool stopped = false;
    const ShowBox show = [&stopped](const QString& text) {
        if (stopped) {
            ShowPlainBox(text);
            return;
        }
        if (platform::Dialogs().ShowMessageOfferingStop(text, QStringLiteral("Stop Auto Update"))) {
            stopped = true;
            SwitchAutoUpdateOff();
        }
    };
    platform::RunOnUiThread([status, &show] { ReportOnUiThread(status, show); });
}

void ReportInstrumentError(int status) {
    platform::RunOnUiThread([status] { ReportOnUiThread(status, ShowPlainBox); });
}

namespace {

bool RunReporting(InstrumentSession& session, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const UserException&) {
        ReportInstrumentError(session.GetLastStatus());
        return false;
    }
}

}  // namespace

bool RunInFailureScope(InstrumentSession& session, const std::function<void()>& action,
                       QueuedErrors queued) {
    if (queued == QueuedErrors::Report) {
        return RunReporting(session, action);
    }
    const LeaveQueuedErrors leave;
    const bool done = RunReporting(session, action);
    if (leave.ErrorsLeft()) {
        platform::Dialogs().ShowMessage(strings::LoadString(strings::kErrorsWaiting));
    }
    return done;
}

bool RunInFailureScope(const std::function<void()>& action, QueuedErrors queued) {
    return RunInFailureScope(*App().instrument, action, queued);
}
