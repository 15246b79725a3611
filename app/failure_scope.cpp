#include "app/failure_scope.h"

#include <QString>

#include "app/sfp_app.h"
#include "instrument/driver_api.h"
#include "instrument/instrument_session.h"
#include "instrument/user_exception.h"
#include "platform/operator_dialogs.h"
#include "platform/ui_thread.h"
#include "resources/string_table.h"

namespace {

constexpr int kSlowTickPeriod = 300;

void ShowQueuedErrors(InstrumentSession& session, const QString& format) {
    session.PrepareErrorReport();
    for (;;) {
        int code = 0;
        const Text message = session.QueryErrorQueue(code);
        if (code == 0) {
            return;
        }
        platform::Dialogs().Beep();
        platform::Dialogs().ShowMessage(QString(format).replace(
            QStringLiteral("%s"), QString::fromStdString(message.value_or(std::string()))));
    }
}

void ShowReport(InstrumentSession& session, int status) {
    const QString format = strings::LoadString(strings::kInstrumentReportsError);
    switch (status) {
        case driver::kInstrumentErrorQueued:
            ShowQueuedErrors(session, format);
            return;
        case driver::kBusy:
            platform::Dialogs().ShowMessage(QStringLiteral("Reentrant"));
            return;
        case driver::kTimeout:
            session.PrepareErrorReport();
            platform::Dialogs().ShowMessage(strings::LoadString(strings::kTimeOut));
            return;
        default:
            if (const Text text = session.GetErrorMessage(status)) {
                platform::Dialogs().ShowMessage(QString::fromStdString(*text));
            }
            return;
    }
}

void ReportOnUiThread(int status) {
    CSfpApp& app = App();
    if (app.mainWindow != nullptr) {
        app.mainWindow->StopTickTimer();
    }
    if (app.instrument) {
        ShowReport(*app.instrument, status);
    }
    if (app.mainWindow != nullptr) {
        app.mainWindow->StartTickTimer(kSlowTickPeriod);
    }
}

}  // namespace

void ReportInstrumentError(int status) {
    platform::RunOnUiThread([status] { ReportOnUiThread(status); });
}

bool RunInFailureScope(InstrumentSession& session, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const UserException&) {
        ReportInstrumentError(session.GetLastStatus());
        return false;
    }
}

bool RunInFailureScope(const std::function<void()>& action) {
    return RunInFailureScope(*App().instrument, action);
}
