// How responsive the window stays while auto update cycles against the
// bundled simulator: the delay a posted event waits in the event loop, with
// auto update off and on, and how many auto-update cycles complete per second
// against the rate the 150 ms tick allows (one cycle per two ticks), and what
// one cycle costs in CPU; then the same with the I/O monitor, and with the
// readings chart, open beside it. The bench sleeps in the event loop between
// events. Its probe, one event per 5 ms, wakes the loop 200 times a second,
// which would cost several times what the front panel does: the waits are
// measured over the first half of each phase, the CPU over the second half
// with the probe stopped, so that the CPU figures are the front panel's own.
//
// usage: auto_update_latency_bench [seconds per phase, default 30]
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <vector>

#include "app/main_wnd.h"
#include "app/readings_chart_loader.h"
#include "app/sfp_app.h"
#include "platform/template_page.h"
#include "resources/menu_resource.h"
#include "windows/readings_chart.h"

namespace {

using Clock = std::chrono::steady_clock;

std::filesystem::path SimulatorDirectory() {
    const char* configured = std::getenv("SFP_SIM_DIR");
    if (configured != nullptr) {
        return configured;
    }
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / ".." / "sim";
}

// An event that carries the moment it was posted.
class StampedEvent : public QEvent {
public:
    static QEvent::Type TypeId() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    StampedEvent() : QEvent(TypeId()), posted(Clock::now()) {}
    Clock::time_point posted;
};

class LatencyProbe : public QObject {
public:
    std::vector<double> delaysMs;

protected:
    bool event(QEvent* event) override {
        if (event->type() != StampedEvent::TypeId()) {
            return QObject::event(event);
        }
        const auto waited = Clock::now() - static_cast<StampedEvent*>(event)->posted;
        delaysMs.push_back(std::chrono::duration<double, std::milli>(waited).count());
        return true;
    }
};

struct Figures {
    double medianMs = 0;
    double p99Ms = 0;
    std::size_t samples = 0;
    double cpuMsPerSecond = 0;  // the whole process without the probe: front panel and simulator
};

double ProcessCpuMs() {
    timespec value{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &value);
    return static_cast<double>(value.tv_sec) * 1e3 + static_cast<double>(value.tv_nsec) / 1e6;
}

void RunEventLoop(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop for `seconds`, sleeping in it between events: the first
// half with a probe posted every 5 ms for the waits, the second half without
// it for the process's CPU.
Figures Measure(int seconds) {
    const int halfMs = seconds * 500;
    LatencyProbe probe;
    QTimer poster;
    poster.setTimerType(Qt::PreciseTimer);
    QObject::connect(&poster, &QTimer::timeout,
                     [&probe] { QCoreApplication::postEvent(&probe, new StampedEvent); });
    poster.start(5);
    RunEventLoop(halfMs);
    poster.stop();
    QCoreApplication::processEvents();
    Figures figures;
    const double cpuBefore = ProcessCpuMs();
    RunEventLoop(halfMs);
    figures.cpuMsPerSecond = (ProcessCpuMs() - cpuBefore) * 1000.0 / halfMs;
    std::vector<double> delays = probe.delaysMs;
    std::sort(delays.begin(), delays.end());
    figures.samples = delays.size();
    if (!delays.empty()) {
        figures.medianMs = delays[delays.size() / 2];
        figures.p99Ms = delays[std::min(delays.size() - 1, delays.size() * 99 / 100)];
    }
    return figures;
}

int CountInitiates(const QString& logPath) {
    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly)) {
        return -1;
    }
    int count = 0;
    while (!log.atEnd()) {
        count += log.readLine().startsWith("qot7720_cmd \"INIT\"") ? 1 : 0;
    }
    return count;
}

}  // namespace

// Opens a Tools window through its menu item, then measures as before.
Figures MeasureWithTool(CMainWnd& window, const char* action, int seconds) {
    if (QAction* item = window.findChild<QAction*>(QString::fromLatin1(action))) {
        item->trigger();
    }
    Measure(1);  // the window's first paints are not its steady cost
    const Figures figures = Measure(seconds);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget != &window && widget->isVisible()) {
            widget->close();
        }
    }
    return figures;
}

void PrintToolFigures(const char* what, const Figures& with, const Figures& without,
                      double cpuTarget) {
    std::printf(
        "auto update, %s: median %.3f ms, p99 %.3f ms (target under 16 ms), process CPU %.2f ms "
        "per s, %.2fx of auto update alone (target within %.2fx)\n",
        what, with.medianMs, with.p99Ms, with.cpuMsPerSecond,
        without.cpuMsPerSecond > 0 ? with.cpuMsPerSecond / without.cpuMsPerSecond : 0.0, cpuTarget);
}

int main(int argc, char* argv[]) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const std::filesystem::path sim = SimulatorDirectory();
    const QString logPath = QStringLiteral("/tmp/auto_update_latency_bench.log");
    QFile::remove(logPath);
    qputenv("QOT7720_VISA_LIBRARY", QByteArray::fromStdString((sim / "libvisa.so").string()));
    qputenv("QOT7720_DRIVER_LIBRARY",
            QByteArray::fromStdString((sim / "libqot7720_32.so").string()));
    qputenv("QOT7720_SIM_LOG", logPath.toUtf8());

    QApplication application(argc, argv);
    UseLinkedReadingsChart(&ReadingsChart::Create);  // the chart as the module holds it
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

    const Figures idle = Measure(seconds);
    const int initiatesBefore = CountInitiates(logPath);
    mainWindow->OnCommand(menus::kAutoUpdate);
    const Figures cycling = Measure(seconds);
    // The start of auto update sends one INIT of its own; every cycle sends one more.
    const int cycles = CountInitiates(logPath) - initiatesBefore - 1;
    // The same auto update with a Tools window open, each after the other.
    const Figures monitor = MeasureWithTool(*mainWindow, "ioMonitor", seconds);
    const Figures chart = MeasureWithTool(*mainWindow, "readingsChart", seconds);
    mainWindow->OnCommand(menus::kAutoUpdate);
    Measure(1);

    const double cyclesPerSecond = static_cast<double>(cycles) / seconds;
    const double allowedPerSecond = 1000.0 / (2 * mainWindow->TickPeriod());
    std::printf(
        "posted-event wait, auto update off: median %.3f ms, p99 %.3f ms (%zu events), "
        "process CPU %.2f ms per s\n",
        idle.medianMs, idle.p99Ms, idle.samples, idle.cpuMsPerSecond);
    std::printf(
        "posted-event wait, auto update on:  median %.3f ms, p99 %.3f ms (%zu events), "
        "process CPU %.2f ms per s\n",
        cycling.medianMs, cycling.p99Ms, cycling.samples, cycling.cpuMsPerSecond);
    std::printf("ratio on/off: median %.2f, p99 %.2f\n",
                idle.medianMs > 0 ? cycling.medianMs / idle.medianMs : 0.0,
                idle.p99Ms > 0 ? cycling.p99Ms / idle.p99Ms : 0.0);
    std::printf("auto-update cycles: %.2f per second; the tick allows %.2f (ratio %.2f)\n",
                cyclesPerSecond, allowedPerSecond, cyclesPerSecond / allowedPerSecond);
    if (cycles > 0) {
        std::printf("CPU per auto-update cycle (on - off): %.3f ms\n",
                    (cycling.cpuMsPerSecond - idle.cpuMsPerSecond) / cyclesPerSecond);
    }
    PrintToolFigures("I/O monitor open", monitor, cycling, 1.15);
    PrintToolFigures("readings chart open", chart, cycling, 1.25);
    app.readingMode.store(kReadingIdle);
    delete mainWindow;
    return 0;
}
