#pragma once
// The application object: the one place where the instrument session and the
// shared mode fields live. Panels reach the instrument through it.

#include <QString>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/panel.h"
#include "app/reading_feed.h"
#include "instrument/binding.h"
#include "instrument/instrument_session.h"
#include "platform/colour_ref.h"

struct MainPanelState;

// What the application needs of its main window; the shell implements it.
class MainWindowHooks {
public:
    virtual ~MainWindowHooks() = default;
    virtual QWidget* Widget() = 0;
    // Makes `page` the window's page and sizes the window to it.
    virtual void AttachPage(QWidget& page) = 0;
    virtual void SetSynchronizeAllowed(bool allowed) = 0;
    virtual void StopTickTimer() = 0;
    virtual void StartTickTimer(int periodMilliseconds) = 0;
    virtual bool TickInProgress() const = 0;
    virtual void SetAutoUpdateChecked(bool checked) = 0;
    virtual void Destroy() = 0;
    // The shown page's name as the Panels menu gives it ("Input/Output").
    virtual QString CurrentPageName() const { return {}; }
};

// Reading engine states.
enum ReadingMode : int {
    kReadingIdle = 0,
    kReadingSingle = 1,
    kAutoUpdateRequested = 2,
    kAutoUpdateStopping = 3,
    kAutoUpdateRunning = 4,
};

inline bool IsAutoUpdateMode(int mode) {
    return mode == kAutoUpdateRequested || mode == kAutoUpdateStopping ||
           mode == kAutoUpdateRunning;
}

constexpr std::int16_t kUnknownVxiValue = 32000;

class CSfpApp {
public:
    CSfpApp();
    ~CSfpApp();
    CSfpApp(const CSfpApp&) = delete;
    CSfpApp& operator=(const CSfpApp&) = delete;

    // The first panel whose name equals `name` exactly, or null.
    CPanel* FindPanel(const QString& name) const;
    void EnableSynchronize(bool allowed);
    void DestroyMainWindow();
    bool MainWindowDestroyed() const { return mainWindowDestroyed_; }

    // Destroys every page, then deletes the panels (each releases what it
    // keeps, such as read values, in its destructor), then the session (which
    // releases the driver).
    void ReleasePanelsAndInstrument();

    // True when the session is the emulated instrument, which free SCPI text
    // cannot reach.
    bool Emulated() const;
    // "LIVE <resource>" or "EMULATED (<reason>)", for the connection line.
    QString ConnectionText() const;

    std::unique_ptr<InstrumentSession> instrument;
    ColorRef statusColor = kDarkGreyBrush;
    std::vector<std::unique_ptr<CPanel>> panels;
    CPanel* currentPanel = nullptr;
    std::int16_t vxiSlot = kUnknownVxiValue;
    std::int16_t vxiLogicalAddress = kUnknownVxiValue;
    QString instrumentAddress = QStringLiteral("?");
    // What binding learnt (libraries, resource, why emulated), for the tool windows.
    BindingFacts binding;
    std::atomic<int> readingMode{kReadingIdle};

    // Shown as the check mark of System > Auto Update.
    bool autoUpdate = false;
    // The main panel object's reading fields; set when the shell creates it.
    MainPanelState* mainPanel = nullptr;
    // The command line as one text, searched for the binding options.
    QString commandLine;
    MainWindowHooks* mainWindow = nullptr;
    // Every reading the main panel takes, for the tool windows.
    ReadingFeed readingFeed;

private:
    bool mainWindowDestroyed_ = false;
};

// The one application object of the run.
CSfpApp& App();
bool HasApp();

// Stops the auto-update worker before something else needs the instrument.
void PauseReadings();
void ResumeReadings();
