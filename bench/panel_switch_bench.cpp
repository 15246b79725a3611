// How long a panel switch takes, from the menu command to the new page's
// first paint, switching through all ten panels many times against the
// bundled simulator. The target is a p99 under one 60 Hz frame (16 ms) for
// every page; each page that misses it gets a line of its own.
//
// usage: panel_switch_bench [rounds through the ten panels, default 50]
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise. A
// message box during the run is counted and fails the run: it would mean a
// panel reported an error, and the figures would include the operator.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/main_wnd.h"
#include "app/sfp_app.h"
#include "platform/operator_dialogs.h"
#include "platform/template_page.h"
#include "resources/menu_resource.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kFrameMs = 16.0;

constexpr int kPanelCommands[] = {
    menus::kMainPanel,        menus::kStatusPanel,        menus::kTriggerPanel, menus::kScpMapPanel,
    menus::kInputOutputPanel, menus::kSenseFunctionPanel, menus::kSensePanel,   menus::kSourcePanel,
    menus::kAlgorithmPanel,   menus::kFifoPanel,
};

std::filesystem::path SimulatorDirectory() {
    const char* configured = std::getenv("SFP_SIM_DIR");
    if (configured != nullptr) {
        return configured;
    }
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / ".." / "sim";
}

// Answers every question at once and counts what would have been shown.
class CountingDialogs : public platform::OperatorDialogs {
public:
    int shown = 0;
    void ShowMessage(const QString& text) override {
        ++shown;
        std::fprintf(stderr, "message box: %s\n", qPrintable(text));
    }
    bool ShowMessageOfferingStop(const QString& text, const QString&) override {
        ShowMessage(text);
        return false;
    }
    bool AskOkCancel(const QString& text) override {
        ShowMessage(text);
        return false;
    }
    void Beep() override {}
    std::optional<QString> ChooseOpenFile(const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> ChooseSaveFile(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> SelectInstrument(const QStringList& candidates) override {
        return candidates.isEmpty() ? std::nullopt : std::optional<QString>(candidates.front());
    }
    int RunModal(QDialog&) override {
        ++shown;
        return QDialog::Rejected;
    }
    void ShowHelpIndex() override {}
};

// Notes the first paint of the page it waits for.
class PaintWatch : public QObject {
public:
    QWidget* page = nullptr;
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && page != nullptr && watched == page) {
            painted = true;
        }
        return false;
    }
};

// The offscreen platform warns on every fixed-size window; the figures need a clean output.
void QuietSizeHintWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints"))) {
        return;
    }
    std::fprintf(stderr, "%s%s\n", type == QtWarningMsg ? "warning: " : "", qPrintable(message));
}

double Percentile(const std::vector<double>& sorted, int percent) {
    const std::size_t index = sorted.size() * static_cast<std::size_t>(percent) / 100;
    return sorted[std::min(sorted.size() - 1, index)];
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const std::filesystem::path sim = SimulatorDirectory();
    qputenv("QOT7720_VISA_LIBRARY", QByteArray::fromStdString((sim / "libvisa.so").string()));
    qputenv("QOT7720_DRIVER_LIBRARY",
            QByteArray::fromStdString((sim / "libqot7720_32.so").string()));

    qInstallMessageHandler(QuietSizeHintWarnings);
    QApplication application(argc, argv);
    auto* dialogs = new CountingDialogs;
    platform::InstallDialogs(std::unique_ptr<platform::OperatorDialogs>(dialogs));
    CSfpApp app;
    platform::SetDialogColors();
    auto* mainWindow = new CMainWnd;
    if (!mainWindow->Initialize()) {
        std::fprintf(stderr, "the front panel did not start\n");
        return 1;
    }
    if (app.instrumentAddress == QStringLiteral("EMULATED")) {
        std::fprintf(stderr, "simulator not found in %s\n", sim.c_str());
        return 1;
    }
    QCoreApplication::processEvents();

    PaintWatch watch;
    application.installEventFilter(&watch);
    std::vector<double> switchMs;
    std::map<int, std::vector<double>> byCommand;
    int unpainted = 0;
    for (int round = 0; round < rounds; ++round) {
        for (const int command : kPanelCommands) {
            const Clock::time_point start = Clock::now();
            mainWindow->OnCommand(command);
            watch.page = app.currentPanel != nullptr ? app.currentPanel->Window() : nullptr;
            watch.painted = false;
            QElapsedTimer limit;
            limit.start();
            while (!watch.painted && watch.page != nullptr && limit.elapsed() < 2000) {
                QCoreApplication::processEvents(QEventLoop::AllEvents);
            }
            if (!watch.painted) {
                ++unpainted;
                continue;
            }
            const double ms =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            switchMs.push_back(ms);
            byCommand[command].push_back(ms);
        }
    }
    application.removeEventFilter(&watch);

    std::sort(switchMs.begin(), switchMs.end());
    if (switchMs.empty()) {
        std::fprintf(stderr, "no page was painted\n");
        return 1;
    }
    std::printf(
        "panel switch, menu command to page painted: median %.3f ms, p99 %.3f ms, "
        "max %.3f ms (%zu switches, target p99 < 16 ms)\n",
        Percentile(switchMs, 50), Percentile(switchMs, 99), switchMs.back(), switchMs.size());
    // Which page costs what, so that a slow one can be found: the target holds for each page.
    std::vector<std::string> misses;
    for (auto& [command, times] : byCommand) {
        std::sort(times.begin(), times.end());
        const QAction* action = mainWindow->Action(command);
        const std::string name =
            action != nullptr ? action->text().remove(QLatin1Char('&')).toStdString() : "?";
        const double p99 = Percentile(times, 99);
        std::printf("  %-20s median %7.3f ms, p99 %7.3f ms, max %7.3f ms\n", name.c_str(),
                    Percentile(times, 50), p99, times.back());
        if (p99 >= kFrameMs) {
            misses.push_back(name + ": p99 " + std::to_string(p99) + " ms");
        }
    }
    for (const std::string& miss : misses) {
        std::printf("MISSED 16 ms  %s\n", miss.c_str());
    }
    if (misses.empty()) {
        std::printf("every page's p99 is under 16 ms\n");
    }
    app.readingMode.store(kReadingIdle);
    delete mainWindow;
    if (unpainted != 0 || dialogs->shown != 0) {
        std::fprintf(stderr, "%d switches showed no page, %d message boxes were shown\n", unpainted,
                     dialogs->shown);
        return 1;
    }
    return 0;
}
