#include "app/system_operations.h"

#include "app/about_dialog.h"
#include "app/failure_scope.h"
#include "app/long_operation.h"
#include "app/main_wnd.h"
#include "app/sfp_app.h"
#include "instrument/user_exception.h"
#include "platform/operator_dialogs.h"
#include "platform/wait_cursor.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

#include <atomic>
#include <string>

void RunSynchronize() {
    PauseReadings();
    if (CPanel* panel = App().currentPanel) {
        panel->Synchronize();
    }
    ResumeReadings();
}

void ToggleAutoUpdate() {
    CSfpApp& app = App();
    if (app.autoUpdate) {
        SwitchAutoUpdateOff();
        return;
    }
    app.autoUpdate = true;
    // A stop not yet taken by a tick is simply withdrawn: the cycle goes on.
    // Overwriting it with a new request would skip the stop's wait for the
    // worker and start a second cycle beside a running one.
    int stopping = kAutoUpdateStopping;
    if (!app.readingMode.compare_exchange_strong(stopping, kAutoUpdateRunning) &&
        !IsAutoUpdateMode(stopping)) {
        app.readingMode.store(kAutoUpdateRequested);
    }
    if (app.mainWindow != nullptr) {
        app.mainWindow->SetAutoUpdateChecked(true);
    }
}

void RunReset(CMainWnd& mainWindow) {
    PauseReadings();
    {
        platform::WaitCursor waitCursor;
        mainWindow.busy = true;
        RunInFailureScope([] {
            InstrumentSession& instrument = *App().instrument;
            instrument.Reset();
            while (instrument.QueryOpc() == 0) {
            }
        });
        mainWindow.busy = false;
    }
    // The readings before and after a reset are not one series.
    App().readingFeed.PublishReset();
    if (CPanel* panel = App().currentPanel) {
        panel->Synchronize();
    }
    ResumeReadings();
}

namespace {

constexpr int kSelfTestTimeout = 600000;
constexpr int kNormalTimeout = 30000;

// Shared by the cancel action (user-interface thread) and the job.
struct SelfTestCancel {
    // Set before the device clear: the job's call then fails by the cancel's
    // doing, which is no failure to report.
    std::atomic<bool> requested{false};
    // The device clear and the reset both went through.
    std::atomic<bool> reset{false};
};

// A confirmed Cancel: clearing the busy flag first lets the device clear
// reach the driver while the self test's call is still inside it; the clear
// ends that call. A failure here is not reported: the dialog simply stays
// until the job ends, whose own outcome is then told as usual.
void CancelSelfTest(InstrumentSession& instrument, SelfTestCancel& cancel) {
    cancel.requested.store(true);
    try {
        instrument.SetBusy(0);
        instrument.DeviceClear();
    } catch (const UserException&) {
        instrument.GetLastStatus();
        cancel.requested.store(false);
        return;
    }
    try {
        instrument.Reset();
        cancel.reset.store(true);
    } catch (const UserException&) {
        instrument.GetLastStatus();
    }
}

// The worker's job: never raises, never touches a widget.
std::string SelfTestResult(InstrumentSession& instrument, const SelfTestCancel& cancel) {
    try {
        return instrument.SelfTest().value_or(std::string());
    } catch (const UserException&) {
        const int status = instrument.GetLastStatus();
        if (!cancel.requested.load()) {
            ReportInstrumentError(status);
        }
        return "Self Test Err";
    }
}

void RunSelfTestJob(InstrumentSession& instrument, CMainWnd& mainWindow) {
    instrument.SetTimeout(kSelfTestTimeout);
    SelfTestCancel cancel;
    const std::string result =
        RunLongOperation(&mainWindow, templates::kSelfTestProgressDialog,
                         strings::LoadString(strings::kSelfTestRunning),
                         [&instrument, &cancel] { return SelfTestResult(instrument, cancel); },
                         {strings::LoadString(strings::kCancelSelfTestQuestion),
                          [&instrument, &cancel] { CancelSelfTest(instrument, cancel); }});
    // After a cancel the test's own result says nothing the operator needs.
    platform::Dialogs().ShowMessage(cancel.reset.load()
                                        ? strings::LoadString(strings::kSelfTestCancelled)
                                        : QString::fromStdString(result));
    instrument.SetTimeout(kNormalTimeout);
}

}  // namespace

void RunSelfTest(CMainWnd& mainWindow) {
    PauseReadings();
    if (platform::Dialogs().AskOkCancel(strings::LoadString(strings::kSelfTestQuestion))) {
        InstrumentSession& instrument = *App().instrument;
        RunInFailureScope(instrument, [&] { RunSelfTestJob(instrument, mainWindow); });
    }
    ResumeReadings();
}

void RunAbout(CMainWnd& mainWindow) {
    PauseReadings();
    {
        CAboutDlg about(*App().instrument, &mainWindow);
        platform::Dialogs().RunModal(about);
    }
    ResumeReadings();
}
