#include "app/sfp_app.h"

#include <cassert>
#include <thread>

#include "app/main_panel_state.h"

namespace {
CSfpApp* theApp = nullptr;
}

CSfpApp::CSfpApp() {
    assert(theApp == nullptr && "one application object per run");
    theApp = this;
}

CSfpApp::~CSfpApp() {
    ReleasePanelsAndInstrument();
    theApp = nullptr;
}

CSfpApp& App() {
    assert(theApp != nullptr);
    return *theApp;
}

bool HasApp() {
    return theApp != nullptr;
}

CPanel* CSfpApp::FindPanel(const QString& name) const {
    for (const auto& panel : panels) {
        if (panel->Name() == name) {
            return panel.get();
        }
    }
    return nullptr;
}

void CSfpApp::EnableSynchronize(bool allowed) {
    if (mainWindow != nullptr) {
        mainWindow->SetSynchronizeAllowed(allowed);
    }
}

void CSfpApp::DestroyMainWindow() {
    mainWindowDestroyed_ = true;
    if (mainWindow != nullptr) {
        mainWindow->Destroy();
    }
}

void CSfpApp::ReleasePanelsAndInstrument() {
    // Pages refer to their panel objects: the page goes while its panel is whole.
    for (const auto& panel : panels) {
        panel->Hide();
    }
    currentPanel = nullptr;
    mainPanel = nullptr;
    panels.clear();
    instrument.reset();
}

void PauseReadings() {
    CSfpApp& app = App();
    if (app.mainPanel == nullptr) {
        return;
    }
    if (IsAutoUpdateMode(app.readingMode.load())) {
        stopWorker.store(1);
        while (app.mainPanel->workerState.load() == kWorkerRunning) {
            std::this_thread::yield();
        }
    }
    app.mainPanel->readingsPaused.store(1);
}

void ResumeReadings() {
    CSfpApp& app = App();
    if (IsAutoUpdateMode(app.readingMode.load())) {
        app.readingMode.store(kAutoUpdateRequested);
    }
    if (app.mainPanel != nullptr) {
        app.mainPanel->readingsPaused.store(0);
    }
}
