#include "app/sfp_app.h"

#include <cassert>

#include "app/main_panel_state.h"
#include "instrument/emulated_instrument.h"
#include "platform/responsive_wait.h"
#include "resources/string_table.h"

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

bool CSfpApp::Emulated() const {
    return dynamic_cast<const EmulatedInstrument*>(instrument.get()) != nullptr;
}

QString CSfpApp::ConnectionText() const {
    if (!instrument) {
        return {};
    }
    if (!Emulated()) {
        const QString resource = binding.resource.isEmpty() ? instrumentAddress : binding.resource;
        return QStringLiteral("LIVE ") + resource;
    }
    const QString emulated = strings::LoadString(strings::kEmulated);
    return binding.emulationReason.isEmpty() ? emulated
                                             : emulated + " (" + binding.emulationReason + ')';
}

void PauseReadings() {
    CSfpApp& app = App();
    if (app.mainPanel == nullptr) {
        return;
    }
    // Paused first: the window's timers run during the wait, and a tick
    // must not start the next cycle once the worker has stopped.
    app.mainPanel->readingsPaused.store(1);
    if (IsAutoUpdateMode(app.readingMode.load())) {
        stopWorker.store(1);
        MainPanelState& state = *app.mainPanel;
        platform::WaitWhile([&state] { return state.workerState.load() == kWorkerRunning; });
    }
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
