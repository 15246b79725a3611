#include "app/system_operations.h"

#include "app/failure_scope.h"
#include "app/main_wnd.h"
#include "app/sfp_app.h"
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

// Self test and the About box arrive with the main panel's reading engine;
// until then the menu items do nothing.
void RunSelfTest(CMainWnd&) {}
void RunAbout(CMainWnd&) {}
