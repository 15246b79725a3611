#include "app/system_operations.h"

#include "app/about_dialog.h"
#include "app/failure_scope.h"
#include "app/main_wnd.h"
#include "app/sfp_app.h"
#include "platform/operator_dialogs.h"
#include "platform/wait_cursor.h"

void RunSynchronize() {
    PauseReadings();
    if (CPanel* panel = App().currentPanel) {
        panel->Synchronize();
    }
    ResumeReadings();
}

void ToggleAutoUpdate() {
    CSfpApp& app = App();
    app.autoUpdate = !app.autoUpdate;
    if (!app.autoUpdate) {
        int running = kAutoUpdateRunning;
        app.readingMode.compare_exchange_strong(running, kAutoUpdateStopping);
    } else {
        app.readingMode.store(kAutoUpdateRequested);
    }
    if (app.mainWindow != nullptr) {
        app.mainWindow->SetAutoUpdateChecked(app.autoUpdate);
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
    if (CPanel* panel = App().currentPanel) {
        panel->Synchronize();
    }
    ResumeReadings();
}

// Self test arrives with the elapsed-time dialog; until then the item does nothing.
void RunSelfTest(CMainWnd&) {}

void RunAbout(CMainWnd& mainWindow) {
    PauseReadings();
    {
        CAboutDlg about(*App().instrument, &mainWindow);
        platform::Dialogs().RunModal(about);
    }
    ResumeReadings();
}
