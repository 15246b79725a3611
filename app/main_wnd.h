#pragma once
// The main window: menu 102, timer 1 that ticks every panel, panel switching,
// guarded closing and the orderly shut-down.

#include <QMainWindow>
#include <QTimer>
#include <map>
#include <string>
#include <vector>

#include "app/sfp_app.h"

class QAction;
class QMenu;
class IoMonitor;
class ReadingsChartWindow;
class ConnectionLine;
class ScpiConsole;

class CMainWnd : public QMainWindow, public MainWindowHooks {
public:
    CMainWnd();
    ~CMainWnd() override;

    // Start-up after the window exists: binding, panels, timer, main panel.
    // False when the program must end (a fatal binding or conversion failure).
    bool Initialize();

    // Runs a menu command by its identifier.
    void OnCommand(int command);
    // One step of timer 1.
    void OnTick();
    // Greys and checks the menu items as the current state says.
    void UpdateCommandStates();

    int checkedPanelCommand;
    bool synchronizeAllowed = true;
    bool busy = false;
    bool tickInProgress = false;

    QAction* Action(int command) const;
    int TickPeriod() const { return tickTimer_.interval(); }
    bool TickTimerActive() const { return tickTimer_.isActive(); }

    // MainWindowHooks
    QWidget* Widget() override { return this; }
    void AttachPage(QWidget& page) override;
    void SetSynchronizeAllowed(bool allowed) override;
    void StopTickTimer() override;
    void StartTickTimer(int periodMilliseconds) override;
    bool TickInProgress() const override { return tickInProgress; }
    void SetAutoUpdateChecked(bool checked) override;
    void Destroy() override;
    QString CurrentPageName() const override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu();
    void BuildToolsMenu();
    std::string CommandOrigin(int command) const;
    void ShowIoMonitor();
    void BuildReadingsMenu(QMenu& tools);
    // The chart, made on first use; null when its module cannot be loaded.
    ReadingsChartWindow* ShowReadingsChart();
    void ShowScpiConsole();
    void ShowConnection();
    // False when binding found the driver library unusable.
    bool BindFromSettings();
    void PlaceWindow();
    void SavePosition() const;
    void CreatePanels();
    void SelectPanel(int command, bool pauseFirst);
    bool CloseRefused();
    void ShutDown();
    void CentreOnDesktop();

    QTimer tickTimer_;
    std::map<int, QAction*> actions_;
    bool shutDown_ = false;
    IoMonitor* ioMonitor_ = nullptr;                // a child window, made when first asked for
    ReadingsChartWindow* readingsChart_ = nullptr;  // likewise
    ScpiConsole* scpiConsole_ = nullptr;            // likewise
    ConnectionLine* connectionLine_ = nullptr;
    // The panels of the tick under way; kept so that a tick allocates nothing.
    std::vector<CSFPObject*> tickPanels_;
    // The origin of the tick's calls, "<page> · Tick", made when the page changes.
    std::string tickOrigin_;
    unsigned ticksSinceLinePoll_ = 0;
};
