// The front panel on the simulated instrument while it fails: the window
// stays alive during a pause, failed cycles do not look live, a failure keeps
// its own status, a flood of reports can be stopped, and faults can be
// injected into the running program through the simulator's control file.

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QTableView>
#include <QTimer>
#include <atomic>
#include <ctime>
#include <fstream>
#include <thread>

#include "app/main_wnd.h"
#include "app/sfp_app.h"
#include "instrument/driver_api.h"
#include "instrument/live_instrument.h"
#include "instrument/user_exception.h"
#include "panels/measurement/main_panel.h"
#include "platform/tick_count.h"
#include "recording_dialogs.h"
#include "resources/menu_resource.h"
#include "simulator_libraries.h"
#include "windows/io_monitor.h"
#include "windows/io_record_model.h"
#include "windows/scpi_console.h"

namespace {

constexpr int kSystemError = static_cast<int>(0xBFFF0000u);
// The queue was emptied before the report read it: the report must not send
// the operator to read it.
const QString kQueuedText = QStringLiteral(
    "The instrument reported an error, but its error queue is empty: the error was read already.\n"
    "while calling qot7720_readCVT_Q (first 10, count 10) from Main \u00b7 Auto Update");
const QString kSystemErrorText = QStringLiteral("Unknown system error");
const QString kTimeOut = QStringLiteral("Time Out !");

double ThreadCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

class LiveFaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        stopWorker.store(0);
        app = std::make_unique<CSfpApp>();
        mainWindow = new CMainWnd;
        ASSERT_TRUE(mainWindow->Initialize());
        ASSERT_NE(dynamic_cast<LiveInstrument*>(app->instrument.get()), nullptr)
            << "bound to the simulator";
        panel = dynamic_cast<CPan1Obj*>(app->panels.front().get());
        ASSERT_NE(panel, nullptr);
        dialogs->Clear();
    }

    void TearDown() override {
        simulator.DriverDirective("control off");
        if (panel != nullptr) {
            stopWorker.store(1);
            panel->JoinWorker();
        }
        app->readingMode.store(kReadingIdle);
        delete mainWindow.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        app.reset();
    }

    // Runs ticks past the 75 ms wait until `done` or a few seconds have passed.
    template <typename Done>
    bool TickUntil(Done done, int limitMs = 5000) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < limitMs) {
            platform::AdvanceTickCount(80);
            mainWindow->OnTick();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }

    // Ticks until the worker has failed, but never while a worker is out: a
    // tick that ran just after the failure would report it and start the next
    // cycle, and the failed state would never be seen.
    bool TickUntilWorkerFailed(int limitMs = 3000) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < limitMs) {
            const int state = panel->workerState.load();
            if (state == kWorkerFailed) {
                return true;
            }
            if (state == kWorkerIdle || state == kWorkerValuesReady) {
                platform::AdvanceTickCount(80);
                mainWindow->OnTick();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            platform::AdvanceTickCount(80);
            mainWindow->OnTick();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    int Reads(std::size_t mark = 0) const {
        return CountLinesStarting(simulator.DriverCalls(mark), "qot7720_readCVT_Q");
    }

    bool GridShowsValues() const {
        const QStringList cells = panel->Page()->CellTexts();
        return !cells.isEmpty() && !cells.front().isEmpty();
    }

    // Auto update on and the first values on the grid.
    void StartAutoUpdate() {
        mainWindow->OnCommand(menus::kAutoUpdate);
        ASSERT_TRUE(TickUntil([&] { return Reads() >= 1 && GridShowsValues(); }));
    }

    // Listens to a control file, as QOT7720_SIM_CONTROL makes a started simulator do.
    std::string OpenControlFile() {
        const std::string path = simulator.TemporaryPath(QStringLiteral("control")).toStdString();
        std::ofstream(path, std::ios::trunc).flush();
        simulator.DriverDirective("control \"" + path + "\"");
        return path;
    }

    static void Append(const std::string& path, const std::string& line) {
        std::ofstream(path, std::ios::app) << line << '\n';
    }

    SimulatorLibraries simulator;
    ScopedRecordingDialogs dialogs;
    std::unique_ptr<CSfpApp> app;
    QPointer<CMainWnd> mainWindow;
    CPan1Obj* panel = nullptr;
};

}  // namespace

// The worker's read is held inside the driver; switching panels pauses the
// readings. The switch still happens only after the worker has stopped, but
// meanwhile the window's events run, the wait cursor shows, and the user-
// interface thread sleeps instead of spinning.
TEST_F(LiveFaultsTest, PauseKeepsTheWindowAliveWhileTheWorkerFinishes) {
    StartAutoUpdate();
    simulator.DriverDirective("hold-ms qot7720_readCVT_Q 600");
    const std::size_t mark = simulator.LogMark();
    ASSERT_TRUE(
        TickUntil([&] { return Reads(mark) >= 1 && panel->workerState.load() == kWorkerRunning; }));
    bool firedDuringPause = false;
    bool waitCursorShown = false;
    QTimer::singleShot(30, [&] {
        firedDuringPause = panel->workerState.load() == kWorkerRunning;
        const QCursor* cursor = QGuiApplication::overrideCursor();
        waitCursorShown = cursor != nullptr && cursor->shape() == Qt::WaitCursor;
    });
    const double cpuBefore = ThreadCpuMilliseconds();
    QElapsedTimer pause;
    pause.start();
    mainWindow->OnCommand(menus::kStatusPanel);
    const double cpuUsed = ThreadCpuMilliseconds() - cpuBefore;
    EXPECT_TRUE(firedDuringPause) << "the event loop ran while the worker was still reading";
    EXPECT_TRUE(waitCursorShown);
    EXPECT_NE(panel->workerState.load(), kWorkerRunning) << "the pause still waits for the worker";
    EXPECT_EQ(app->currentPanel->Name(), QStringLiteral("Status Panel"));
    EXPECT_GE(pause.elapsed(), 300);
    EXPECT_LT(cpuUsed, pause.elapsed() / 4.0) << "the wait must not burn a processor";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the wait cursor ends with the pause";
}

// "Error queued" with nothing in the queue: every cycle fails. The grid then
// shows no values instead of the last good ones, and each report still says
// that the read failed; good readings come back when the fault ends.
TEST_F(LiveFaultsTest, FailedCyclesBlankTheGridAndAnEmptyQueueStillReports) {
    StartAutoUpdate();
    simulator.DriverDirective("fail-match qot7720_readCVT_Q 0xBFFC0D07");
    ASSERT_TRUE(TickUntil([&] { return dialogs->Messages().size() >= 2; }));
    EXPECT_FALSE(GridShowsValues()) << "old values must not look current";
    for (const QString& message : dialogs->Messages()) {
        EXPECT_EQ(message, kQueuedText);
    }
    EXPECT_EQ(app->readingMode.load(), kAutoUpdateRunning) << "the engine keeps cycling";

    simulator.DriverDirective("stop-failing");
    dialogs->Clear();
    ASSERT_TRUE(TickUntil([&] { return GridShowsValues(); }));
    Ticks(5);
    EXPECT_LE(dialogs->Messages().size(), 1) << "at most the cycle that was under way";
}

// The worker's call fails; before the tick reports it, a call of the
// user-interface thread succeeds. The report is still about the failure.
TEST_F(LiveFaultsTest, ACycleFailureIsReportedWithItsOwnStatus) {
    StartAutoUpdate();
    simulator.DriverDirective("fail-next qot7720_readCVT_Q 0xBFFF0000");
    ASSERT_TRUE(TickUntilWorkerFailed());
    EXPECT_EQ(app->instrument->QueryOpc(), 1);  // a success in between
    ASSERT_TRUE(TickUntil([&] { return !dialogs->Messages().isEmpty(); }));
    EXPECT_EQ(dialogs->Messages().front(),
              kSystemErrorText +
                  "\nwhile calling qot7720_readCVT_Q (first 10, count 10) from "
                  "Main \u00b7 Auto Update")
        << "the worker's call, not the one in between";
    EXPECT_FALSE(dialogs->Messages().contains(QStringLiteral("Success")));
}

// One thread's call fails; another thread's call then runs (held inside the
// driver, so it is certainly in between). The failing thread still fetches
// its own status, and the other thread its success.
TEST_F(LiveFaultsTest, LastStatusBelongsToTheThreadWhoseCallFailed) {
    InstrumentSession& instrument = *app->instrument;
    simulator.DriverDirective("fail-next qot7720_readCVT_Q 0xBFFF0000");
    EXPECT_THROW(instrument.ReadCvt(10, 10), UserException);
    simulator.DriverDirective("hold-ms \"*OPC?\" 300");
    std::atomic<int> otherStatus{-1};
    std::thread other([&] {
        EXPECT_EQ(instrument.QueryOpc(), 1);
        otherStatus.store(instrument.GetLastStatus());
    });
    QElapsedTimer inside;
    inside.start();
    while (instrument.QueryBusy() == 0 && inside.elapsed() < 2000) {
        std::this_thread::yield();
    }
    EXPECT_EQ(instrument.QueryBusy(), 1) << "the other call is inside the driver";
    EXPECT_EQ(instrument.GetLastStatus(), kSystemError);
    EXPECT_EQ(instrument.GetLastStatus(), 0) << "fetching clears it";
    other.join();
    EXPECT_EQ(otherStatus.load(), 0);
}

// A fault injected while the panel runs (through the control file) makes
// every cycle time out; the first report's "Stop Auto Update" ends the flood.
TEST_F(LiveFaultsTest, OneAnswerStopsAFloodOfReports) {
    const std::string control = OpenControlFile();
    StartAutoUpdate();
    Append(control, "fail-match \"STAT:OPER:COND?\" 0xBFFF0015");
    dialogs->AnswerStop(true);
    ASSERT_TRUE(TickUntil([&] { return app->readingMode.load() == kReadingIdle; }));
    EXPECT_FALSE(app->autoUpdate);
    EXPECT_FALSE(mainWindow->Action(menus::kAutoUpdate)->isChecked());
    EXPECT_EQ(dialogs->OfferedStops(), 1);
    const int reports = dialogs->Messages().size();
    EXPECT_LE(reports, 2) << "the stopped cycle's abort may fail once more";
    Ticks(15);
    EXPECT_EQ(dialogs->Messages().size(), reports) << "no further reports";
    for (const QString& message : dialogs->Messages()) {
        EXPECT_EQ(message.section('\n', 0, 0), kTimeOut);
    }
}

// Without the stop answer the same fault gives one report per cycle (and
// the cycles go on), so the stop above is what ended it.
TEST_F(LiveFaultsTest, AFaultInjectedIntoTheRunningPanelFloodsUntilStopped) {
    const std::string control = OpenControlFile();
    StartAutoUpdate();
    Append(control, "fail-match \"STAT:OPER:COND?\" 0xBFFF0015");
    ASSERT_TRUE(TickUntil([&] { return dialogs->Messages().size() >= 4; }));
    EXPECT_EQ(app->readingMode.load(), kAutoUpdateRunning);
    EXPECT_EQ(dialogs->OfferedStops(), dialogs->Messages().size()) << "every box offers the stop";
    Append(control, "stop-failing");
    dialogs->Clear();
    ASSERT_TRUE(TickUntil([&] { return GridShowsValues() && Reads() >= 2; }));
}

// A console line while the worker is inside a slow read waits for the cycle
// to end instead of failing as busy, and the readings go on afterwards.
TEST_F(LiveFaultsTest, TheConsoleNeverFindsTheInstrumentBusyDuringAutoUpdate) {
    StartAutoUpdate();
    simulator.DriverDirective("hold-ms qot7720_readCVT_Q 300");
    ASSERT_TRUE(TickUntil([&] { return app->instrument->QueryBusy() == 1; }));
    ScpiConsole console;
    EXPECT_TRUE(console.SendLine("TRIG:SOUR?")) << console.Transcript().toStdString();
    EXPECT_FALSE(console.Transcript().contains("busy"));
    const std::size_t mark = simulator.LogMark();
    EXPECT_TRUE(TickUntil([&] { return Reads(mark) >= 1; })) << "the readings resumed";
    EXPECT_EQ(app->readingMode.load(), kAutoUpdateRunning);
}

// Selecting a failed row in the I/O monitor asks the driver for its message
// through the guard: while the worker is inside a slow read the request
// waits for the cycle instead of being refused, and it is recorded as the
// monitor's own call.
TEST_F(LiveFaultsTest, TheMonitorAsksForAFailuresMessageThroughTheGuard) {
    simulator.DriverDirective("fail-next qot7720_readCVT_Q 0xBFFF0015");
    EXPECT_THROW(app->instrument->ReadCvt(10, 10), UserException);
    app->instrument->GetLastStatus();
    // Another call inside the driver: the request is refused, never made beside it.
    simulator.DriverDirective("hold-ms \"*OPC?\" 300");
    std::thread other([&] { app->instrument->QueryOpc(); });
    ASSERT_TRUE(TickUntil([&] { return app->instrument->QueryBusy() == 1; }));
    EXPECT_THROW(app->instrument->LookUpErrorMessage(driver::kTimeout), UserException);
    EXPECT_EQ(app->instrument->GetLastStatus(), driver::kBusy);
    other.join();

    StartAutoUpdate();
    QAction* open = nullptr;
    for (QAction* action : mainWindow->findChildren<QAction*>()) {
        open = action->text() == QStringLiteral("&I/O Monitor...") ? action : open;
    }
    ASSERT_NE(open, nullptr);
    open->trigger();
    auto* monitor = mainWindow->findChild<IoMonitor*>();
    ASSERT_NE(monitor, nullptr);
    IoRecordModel& model = monitor->Model();
    int failed = -1;
    for (int row = model.rowCount() - 1; row >= 0 && failed < 0; --row) {
        failed = model.EntryAt(row)->status == driver::kTimeout ? row : -1;
    }
    ASSERT_GE(failed, 0) << "the failed read is a row";

    simulator.DriverDirective("hold-ms qot7720_readCVT_Q 300");
    ASSERT_TRUE(TickUntil([&] { return app->instrument->QueryBusy() == 1; }));
    const std::size_t mark = simulator.LogMark();
    auto* table = monitor->findChild<QTableView*>();
    table->setCurrentIndex(model.index(failed, IoRecordModel::kStatus));
    const QString status =
        model.data(model.index(failed, IoRecordModel::kStatus), Qt::DisplayRole).toString();
    EXPECT_TRUE(status.contains(QStringLiteral("0xbfff0015 time-out \u2014 ")))
        << status.toStdString();
    EXPECT_FALSE(status.contains(QStringLiteral("busy"))) << status.toStdString();
    const std::vector<std::string> calls = simulator.DriverCalls(mark);
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const std::string& call) {
                                return call.rfind("qot7720_error_message", 0) == 0;
                            }),
              1);
    const std::size_t afterFetch = simulator.LogMark();
    monitor->PollNow();
    bool recorded = false;
    for (int row = model.rowCount() - 1; row >= 0 && !recorded; --row) {
        const auto entry = model.EntryAt(row);
        recorded = entry->function == "qot7720_error_message" && entry->origin == "I/O Monitor";
    }
    EXPECT_TRUE(recorded);
    EXPECT_TRUE(TickUntil([&] { return Reads(afterFetch) >= 1; })) << "the readings resumed";
}
