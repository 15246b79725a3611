#include "app/failure_scope.h"

#include <QString>
#include <cstdint>
#include <functional>

#include "app/action_origin.h"
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
// still failed, once; the driver's own text would send the operator to a
// queue that holds nothing.
void ShowQueuedErrors(InstrumentSession& session, const QString& format, const ShowBox& show) {
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
        show(strings::LoadString(strings::kErrorAlreadyRead));
    }
}

bool IsQueryFunction(const std::string& function) {
    return function == "qot7720_cmdString_Q" || function == "qot7720_cmdInt32_Q" ||
           function == "qot7720_cmdReal64_Q";
}

// The driver's "parameter n is invalid" statuses: n, or 0 for any other.
int RefusedParameter(int status) {
    const auto code = static_cast<std::uint32_t>(status);
    constexpr std::uint32_t kFirst = 0xBFFC0001u;
    constexpr std::uint32_t kLast = 0xBFFC0008u;
    return code >= kFirst && code <= kLast ? static_cast<int>(code - kFirst + 1) : 0;
}

// What the program knows of an argument's valid values, by call and position.
QString ValidRange(const std::string& function, int parameter) {
    struct Range {
        const char* function;
        int parameter;
        const char* text;
    };
    static const Range ranges[] = {
        {"qot7720_downloadAlg", 2, "the algorithm names are ALG1 to ALG32"},
        {"qot7720_algArray", 2, "the algorithm names are ALG1 to ALG32"},
        {"qot7720_readCVT_Q", 2, "the first element is 0 to 511"},
        {"qot7720_readCVT_Q", 3, "the count is 1 to 512, and first element plus count at most 512"},
        {"qot7720_readFifo_Q", 2, "the FIFO count is 0 or more"},
        {"qot7720_timeOut", 2, "the time-out is 0 ms or more"},
    };
    for (const Range& range : ranges) {
        if (function == range.function && parameter == range.parameter) {
            return QString::fromLatin1(range.text);
        }
    }
    return {};
}

void ShowReport(InstrumentSession& session, int status, const ShowBox& show) {
    const QString format = strings::LoadString(strings::kInstrumentReportsError);
    switch (status) {
        case driver::kInstrumentErrorQueued:
            ShowQueuedErrors(session, format, show);
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

void ReportOnUiThread(int status, const iorecord::FailedCall& call, const ShowBox& show) {
    CSfpApp& app = App();
    if (app.mainWindow != nullptr) {
        app.mainWindow->StopTickTimer();
    }
    const QString callText = FailedCallText(status, call);
    const ShowBox showNamingCall = [&callText, &show](const QString& text) {
        show(callText.isEmpty() ? text : text + QLatin1Char('\n') + callText);
    };
    if (app.instrument) {
        ShowReport(*app.instrument, status, showNamingCall);
    }
    if (app.mainWindow != nullptr) {
        app.mainWindow->StartTickTimer(kSlowTickPeriod);
    }
}

}  // namespace

QString FailedCallText(int status, const iorecord::FailedCall& call) {
    if (call.function.empty()) {
        return {};
    }
    const QString sent = QString::fromStdString(call.sent);
    QString text;
    if (call.function == "qot7720_cmd") {
        text = QStringLiteral("while sending %1").arg(sent);
    } else if (IsQueryFunction(call.function)) {
        text = QStringLiteral("while querying %1").arg(sent);
    } else {
        text = QStringLiteral("while calling %1").arg(QString::fromStdString(call.function));
        if (!sent.isEmpty()) {
            text += QStringLiteral(" (%1)").arg(sent);
        }
    }
    if (!call.origin.empty()) {
        text += QStringLiteral(" from %1").arg(QString::fromStdString(call.origin));
    }
    const QString range = ValidRange(call.function, RefusedParameter(status));
    return range.isEmpty() ? text : text + QStringLiteral("; ") + range;
}

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

void ReportAutoUpdateFailure(int status, const iorecord::FailedCall& call) {
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
    platform::RunOnUiThread([status, &call, &show] { ReportOnUiThread(status, call, show); });
}

void ReportInstrumentError(int status, iorecord::FailedCall call) {
    platform::RunOnUiThread([status, &call] { ReportOnUiThread(status, call, ShowPlainBox); });
}

namespace {

// The status of a failure goes to `failedStatus` when it is asked for.
bool RunReporting(InstrumentSession& session, const std::function<void()>& action,
                  int* failedStatus = nullptr) {
    const DefaultOriginScope origin;
    try {
        action();
        return true;
    } catch (const UserException&) {
        const int status = session.GetLastStatus();
        if (failedStatus != nullptr) {
            *failedStatus = status;
        }
        ReportInstrumentError(status);
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

bool RunInFailureScope(const std::function<void()>& action, int& failedStatus) {
    failedStatus = 0;
    return RunReporting(*App().instrument, action, &failedStatus);
}
