#include "app/main_wnd.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <functional>

#include "app/action_origin.h"
#include "app/failure_scope.h"
#include "app/main_panel_state.h"
#include "app/readings_chart_loader.h"
#include "app/system_operations.h"
#include "instrument/binding.h"
#include "instrument/driver_api.h"
#include "instrument/user_exception.h"
#include "panels/algorithm/algorithm_panel.h"
#include "panels/measurement/fifo_panel.h"
#include "panels/measurement/main_panel.h"
#include "panels/measurement/status_panel.h"
#include "panels/measurement/trigger_panel.h"
#include "panels/scp/io_panel.h"
#include "panels/scp/scp_map_panel.h"
#include "panels/sense/sense_function_panel.h"
#include "panels/sense/sense_panel.h"
#include "panels/sense/source_panel.h"
#include "platform/operator_dialogs.h"
#include "platform/wait_cursor.h"
#include "resources/menu_resource.h"
#include "resources/string_table.h"
#include "windows/connection_dialog.h"
#include "windows/connection_line.h"
#include "windows/io_monitor.h"
#include "windows/scpi_console.h"

namespace {

constexpr int kInitialWidth = 402;
constexpr int kInitialHeight = 404;
constexpr int kTickPeriod = 150;
const char* const kLastResourceKey = "connection/lastResource";
const char* const kPositionKey = "mainWindow/position";

using Converter = std::function<CPanel*(CSFPObject*)>;

struct PanelCommand {
    int nameString;
    Converter convert;
};

const std::map<int, PanelCommand>& PanelCommands() {
    static const std::map<int, PanelCommand> commands = {
        {menus::kMainPanel, {strings::kMainPanel, CheckedConversion<CPan1Obj>}},
        {menus::kStatusPanel, {strings::kStatusPanel, CheckedConversion<CStatObj>}},
        {menus::kTriggerPanel, {strings::kTriggerArmPanel, CheckedConversion<CTrigObj>}},
        {menus::kScpMapPanel, {strings::kScpMap, CheckedConversion<CConfObj>}},
        {menus::kInputOutputPanel, {strings::kInputOutputPanel, CheckedConversion<CIoObj>}},
        {menus::kSenseFunctionPanel, {strings::kSenseFunction, CheckedConversion<CSfuncObj>}},
        {menus::kSensePanel, {strings::kSensePanel, CheckedConversion<CSensObj>}},
        {menus::kSourcePanel, {strings::kSourcePanel, CheckedConversion<CSourObj>}},
        {menus::kAlgorithmPanel, {strings::kAlgorithmPanel, CheckedConversion<CAlgObj>}},
        {menus::kFifoPanel, {strings::kFifoData, CheckedConversion<CFifoObj>}},
    };
    return commands;
}

// A page's name as its Panels menu item gives it, without the mnemonic and
// without " Panel": "Main", "Input/Output".
QString PageNameOf(const QAction* action) {
    if (action == nullptr) {
        return {};
    }
    QString name = action->text().remove(QLatin1Char('&')).trimmed();
    if (name.endsWith(QStringLiteral(" Panel"))) {
        name.chop(6);
    }
    return name;
}

QRect DesktopRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

CMainWnd::CMainWnd() : checkedPanelCommand(menus::kMainPanel) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    setWindowTitle(strings::LoadString(strings::kApplicationTitle));
    BuildMenu();
    connectionLine_ = new ConnectionLine(
        iorecord::Record(), [] { return HasApp() ? App().ConnectionText() : QString(); }, this);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(connectionLine_, 1);
    const QRect desktop = DesktopRect();
    setGeometry((desktop.width() - kInitialWidth) / 2, (desktop.height() - kInitialHeight) / 2,
                kInitialWidth, kInitialHeight);
    setFixedSize(kInitialWidth, kInitialHeight);
    tickTimer_.setTimerType(Qt::PreciseTimer);
    connect(&tickTimer_, &QTimer::timeout, this, &CMainWnd::OnTick);
    App().mainWindow = this;
}

CMainWnd::~CMainWnd() {
    tickTimer_.stop();
    ShutDown();
    if (HasApp() && App().mainWindow == this) {
        App().mainWindow = nullptr;
    }
}

void CMainWnd::BuildMenu() {
    for (const menus::Menu& menu : menus::MainMenu()) {
        QMenu* qmenu = menuBar()->addMenu(QString::fromStdString(menu.title));
        connect(qmenu, &QMenu::aboutToShow, this, &CMainWnd::UpdateCommandStates);
        for (const menus::MenuItem& item : menu.items) {
            if (item.command == menus::kSeparator) {
                qmenu->addSeparator();
                continue;
            }
            QAction* action = qmenu->addAction(QString::fromStdString(item.text));
            action->setObjectName(QString::number(item.command));
            const int command = item.command;
            connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
            actions_[command] = action;
        }
    }
    for (const auto& entry : PanelCommands()) {
        actions_[entry.first]->setCheckable(true);
    }
    actions_[menus::kAutoUpdate]->setCheckable(true);
    actions_[checkedPanelCommand]->setChecked(true);
    BuildToolsMenu();
}

// Tools: windows beside the panels, an addition that leaves the System,
// Panels and Help menus as they are. It sits before Help, the last menu.
void CMainWnd::BuildToolsMenu() {
    QMenu* tools = new QMenu("&Tools", this);
    menuBar()->insertMenu(menuBar()->actions().constLast(), tools);
    QAction* monitor = tools->addAction("&I/O Monitor...");
    monitor->setObjectName("ioMonitor");
    connect(monitor, &QAction::triggered, this, &CMainWnd::ShowIoMonitor);
    QAction* console = tools->addAction("&SCPI Console...");
    console->setObjectName("scpiConsole");
    connect(console, &QAction::triggered, this, &CMainWnd::ShowScpiConsole);
    QAction* connection = tools->addAction("&Connection...");
    connection->setObjectName("connection");
    connect(connection, &QAction::triggered, this, &CMainWnd::ShowConnection);
    BuildReadingsMenu(*tools);
}

// The readings chart and recording, last in the Tools menu.
void CMainWnd::BuildReadingsMenu(QMenu& tools) {
    QAction* chart = tools.addAction("Readings C&hart...");
    chart->setObjectName("readingsChart");
    connect(chart, &QAction::triggered, this, [this] { ShowReadingsChart(); });
    QAction* record = tools.addAction("&Record Readings...");
    record->setObjectName("recordReadings");
    connect(record, &QAction::triggered, this, [this] {
        ReadingsChartWindow* window = ShowReadingsChart();
        if (window != nullptr && !window->Recording().Recording()) {
            window->Recording().ChooseAndStart();
        }
    });
}

ReadingsChartWindow* CMainWnd::ShowReadingsChart() {
    if (readingsChart_ == nullptr) {
        QString error;
        const ReadingsChartFactory factory = ReadingsChartFactoryOrError(error);
        if (factory == nullptr) {
            platform::Dialogs().ShowMessage(error);
            return nullptr;
        }
        auto context = [] {
            const CSfpApp& app = App();
            const bool live = app.instrument && app.instrument->SessionSet();
            return RecordingContext{
                std::string("qot7720-sfp ") + SFP_PROGRAM_VERSION,
                live ? app.instrumentAddress.toStdString() : std::string("emulated"),
                app.mainPanel != nullptr ? app.mainPanel->baseChannel.load() : kFirstBaseChannel};
        };
        readingsChart_ = factory(App().readingFeed, context, this);
    }
    QWidget& window = readingsChart_->Window();
    window.show();
    window.raise();
    window.activateWindow();
    return readingsChart_;
}

void CMainWnd::ShowScpiConsole() {
    if (scpiConsole_ == nullptr) {
        scpiConsole_ = new ScpiConsole(this);
    }
    scpiConsole_->show();
    scpiConsole_->raise();
    scpiConsole_->activateWindow();
}

// The revisions come through the guarded call with the readings paused, as
// the About box reads them; a failure leaves them out of the report.
void CMainWnd::ShowConnection() {
    CSfpApp& app = App();
    ConnectionFacts facts;
    facts.binding = app.binding;
    facts.emulated = app.Emulated();
    if (app.binding.visaLibrary != nullptr) {
        facts.resourceManager = ReadResourceManagerInfo(*app.binding.visaLibrary);
    }
    if (app.instrument && !facts.emulated) {
        PauseReadings();
        iorecord::OriginScope origin("Connection");
        try {
            facts.revisions = app.instrument->QueryRevision();
        } catch (const UserException&) {
            app.instrument->GetLastStatus();
        }
        ResumeReadings();
    }
    ConnectionDialog dialog(facts, this);
    platform::Dialogs().RunModal(dialog);
}

void CMainWnd::ShowIoMonitor() {
    if (ioMonitor_ == nullptr) {
        // The driver's message is asked for only when the operator selects a
        // failed row, through the guard and with the readings paused.
        auto fetch = [](std::int32_t status) -> QString {
            if (!HasApp() || !App().instrument) {
                return {};
            }
            PauseReadings();
            iorecord::OriginScope origin("I/O Monitor");
            QString text;
            try {
                const Text message = App().instrument->LookUpErrorMessage(status);
                text = message ? QString::fromStdString(*message) : QString();
            } catch (const UserException&) {
                text = App().instrument->GetLastStatus() == driver::kBusy
                           ? QStringLiteral("(no message: the instrument is busy)")
                           : QStringLiteral("(the driver has no message for this status)");
            }
            ResumeReadings();
            return text;
        };
        auto header = [] {
            return ScriptHeader{QCoreApplication::applicationVersion(),
                                HasApp() ? App().instrumentAddress : QString(),
                                QDateTime::currentDateTime().toString(Qt::ISODate)};
        };
        ioMonitor_ = new IoMonitor(iorecord::Record(), fetch, header, this);
    }
    ioMonitor_->show();
    ioMonitor_->raise();
    ioMonitor_->activateWindow();
}

QAction* CMainWnd::Action(int command) const {
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

void CMainWnd::UpdateCommandStates() {
    actions_[menus::kSynchronize]->setEnabled(synchronizeAllowed);
    actions_[menus::kReset]->setEnabled(!tickInProgress);
    // A triggered checkable action flips itself; the check marks follow our state.
    for (const auto& entry : PanelCommands()) {
        actions_[entry.first]->setChecked(entry.first == checkedPanelCommand);
    }
    actions_[menus::kAutoUpdate]->setChecked(App().autoUpdate);
}

bool CMainWnd::Initialize() {
    CSfpApp& app = App();
    {
        platform::WaitCursor waitCursor;
        busy = true;
        if (!app.instrument) {
            if (!BindFromSettings()) {
                platform::Dialogs().ShowMessage(
                    strings::LoadString(strings::kGetProcAddressFailure));
                busy = false;
                app.DestroyMainWindow();
                return false;
            }
        }
        CreatePanels();
        tickTimer_.start(kTickPeriod);
        SelectPanel(menus::kMainPanel, false);
        if (app.MainWindowDestroyed()) {
            return false;
        }
        PlaceWindow();
        busy = false;
    }
    show();
    return true;
}

// The last resource opened is tried first unless the command line names one
// (-a) or asks to choose (-n); a live session remembers its resource.
bool CMainWnd::BindFromSettings() {
    CSfpApp& app = App();
    QSettings settings;
    BindingResult binding =
        BindInstrument(app.commandLine, settings.value(kLastResourceKey).toString());
    if (binding.fatal) {
        return false;
    }
    app.instrument = std::move(binding.instrument);
    app.statusColor = binding.statusColor;
    app.vxiSlot = binding.vxiSlot;
    app.vxiLogicalAddress = binding.vxiLogicalAddress;
    app.instrumentAddress = binding.instrumentAddress;
    app.binding = binding.facts;
    // Written only when it changed: writing the settings file syncs it to
    // the disk, which would cost every start-up a wait on the disk.
    if (!app.Emulated() && !binding.facts.resource.isEmpty() &&
        settings.value(kLastResourceKey).toString() != binding.facts.resource) {
        settings.setValue(kLastResourceKey, binding.facts.resource);
    }
    return true;
}

// Where the operator last left the window, while that is still on a screen;
// centred on the desktop otherwise.
void CMainWnd::PlaceWindow() {
    const QPoint saved = QSettings().value(kPositionKey, QPoint(-1, -1)).toPoint();
    const QScreen* screen = QGuiApplication::screenAt(saved);
    if (saved != QPoint(-1, -1) && screen != nullptr &&
        screen->availableGeometry().contains(QRect(saved, QSize(width(), 1)))) {
        move(saved);
        return;
    }
    CentreOnDesktop();
}

void CMainWnd::SavePosition() const {
    if (isVisible()) {
        QSettings().setValue(kPositionKey, pos());
    }
}

void CMainWnd::CreatePanels() {
    CSfpApp& app = App();
    auto mainPanel = std::make_unique<CPan1Obj>();
    app.mainPanel = mainPanel.get();
    app.panels.push_back(std::move(mainPanel));
    app.panels.push_back(std::make_unique<CStatObj>());
    app.panels.push_back(std::make_unique<CTrigObj>());
    app.panels.push_back(std::make_unique<CConfObj>());
    app.panels.push_back(std::make_unique<CIoObj>());
    app.panels.push_back(std::make_unique<CSfuncObj>());
    app.panels.push_back(std::make_unique<CSensObj>());
    app.panels.push_back(std::make_unique<CSourObj>());
    app.panels.push_back(std::make_unique<CAlgObj>());
    app.panels.push_back(std::make_unique<CFifoObj>());
}

void CMainWnd::CentreOnDesktop() {
    const QRect desktop = DesktopRect();
    move((desktop.width() - width()) / 2, (desktop.height() - height()) / 2);
}

void CMainWnd::SelectPanel(int command, bool pauseFirst) {
    const auto found = PanelCommands().find(command);
    if (found == PanelCommands().end()) {
        return;
    }
    if (pauseFirst && command != menus::kMainPanel) {
        PauseReadings();
    }
    const iorecord::OriginScope origin(
        (PageNameOf(Action(command)) + QStringLiteral(" \u00b7 Open")).toStdString());
    actions_[checkedPanelCommand]->setChecked(false);
    checkedPanelCommand = command;
    tickOrigin_ = PageOrigin(QStringLiteral("Tick"));
    actions_[checkedPanelCommand]->setChecked(true);
    CSfpApp& app = App();
    CPanel* panel =
        found->second.convert(app.FindPanel(strings::LoadString(found->second.nameString)));
    if (panel == nullptr) {
        return;
    }
    if (app.currentPanel != nullptr) {
        app.currentPanel->Hide();
    }
    panel->Show();
}

QString CMainWnd::CurrentPageName() const {
    return PageNameOf(Action(checkedPanelCommand));
}

// The System menu's commands are their own origin ("System · Reset"); a page
// switch is the new page's ("Input/Output · Open").
std::string CMainWnd::CommandOrigin(int command) const {
    const QAction* action = Action(command);
    const QString name = action != nullptr ? action->text().remove(QLatin1Char('&')).trimmed()
                                           : QString::number(command);
    return QStringLiteral("System \u00b7 %1").arg(name).toStdString();
}

void CMainWnd::OnCommand(int command) {
    if (PanelCommands().count(command) != 0) {
        SelectPanel(command, true);
        UpdateCommandStates();
        return;
    }
    const iorecord::OriginScope origin(CommandOrigin(command));
    switch (command) {
        case menus::kSelfTest:
            RunSelfTest(*this);
            break;
        case menus::kSynchronize:
            if (synchronizeAllowed) {
                RunSynchronize();
            }
            break;
        case menus::kAutoUpdate:
            ToggleAutoUpdate();
            break;
        case menus::kReset:
            if (!tickInProgress) {
                RunReset(*this);
            }
            break;
        case menus::kClose:
            close();
            break;
        case menus::kHelpContents:
            platform::Dialogs().ShowHelpIndex();
            break;
        case menus::kAbout:
            RunAbout(*this);
            break;
        default:
            break;
    }
    if (!shutDown_) {
        UpdateCommandStates();
    }
}

void CMainWnd::OnTick() {
    if (tickInProgress) {
        return;
    }
    tickInProgress = true;
    // Copy the list: a fatal conversion failure during the tick releases the panels.
    tickPanels_.clear();
    for (const auto& panel : App().panels) {
        tickPanels_.push_back(panel.get());
    }
    // The connection line follows the record on every third tick.
    constexpr unsigned kTicksPerLinePoll = 3;
    if (++ticksSinceLinePoll_ >= kTicksPerLinePoll) {
        ticksSinceLinePoll_ = 0;
        connectionLine_->PollNow();
    }
    const iorecord::OriginScope origin(&tickOrigin_);
    for (CSFPObject* object : tickPanels_) {
        CPanel* panel = CheckedConversion<CPanel>(object);
        if (panel == nullptr || App().MainWindowDestroyed()) {
            break;
        }
        panel->Tick();
    }
    tickInProgress = false;
}

void CMainWnd::AttachPage(QWidget& page) {
    // The connection line sits under the page: the window grows by its height.
    const int nonClientHeight = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    setCentralWidget(&page);
    setFixedSize(page.width(), page.height() + nonClientHeight);
}

void CMainWnd::SetSynchronizeAllowed(bool allowed) {
    synchronizeAllowed = allowed;
    actions_[menus::kSynchronize]->setEnabled(allowed);
}

void CMainWnd::StopTickTimer() {
    tickTimer_.stop();
}

void CMainWnd::StartTickTimer(int periodMilliseconds) {
    tickTimer_.start(periodMilliseconds);
}

void CMainWnd::SetAutoUpdateChecked(bool checked) {
    actions_[menus::kAutoUpdate]->setChecked(checked);
}

// The box also offers the way out: auto update is stopped as System > Auto
// Update stops it, and one tick carries the stop through (the main panel
// waits for its worker and aborts the measurement) before the window closes.
bool CMainWnd::CloseRefused() {
    if (!IsAutoUpdateMode(App().readingMode.load())) {
        return false;
    }
    if (!platform::Dialogs().ShowMessageOfferingStop(
            strings::LoadString(strings::kCannotExitInAutoUpdate),
            strings::LoadString(strings::kStopAutoUpdateAndExit))) {
        return true;
    }
    SwitchAutoUpdateOff();
    OnTick();
    return IsAutoUpdateMode(App().readingMode.load());
}

void CMainWnd::closeEvent(QCloseEvent* event) {
    if (!shutDown_ && CloseRefused()) {
        event->ignore();
        return;
    }
    event->accept();
    SavePosition();
    tickTimer_.stop();
    ShutDown();
    deleteLater();
}

void CMainWnd::Destroy() {
    tickTimer_.stop();
    ShutDown();
    hide();
    deleteLater();
    QCoreApplication::quit();
}

// Releases the panels, each with what it keeps, and then the session, once.
void CMainWnd::ShutDown() {
    if (shutDown_ || !HasApp()) {
        return;
    }
    shutDown_ = true;
    if (readingsChart_ != nullptr) {
        readingsChart_->Window().close();  // ends a recording
    }
    App().ReleasePanelsAndInstrument();
}
