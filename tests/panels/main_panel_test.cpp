#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPushButton>
#include <map>
#include <thread>

#include "app/failure_scope.h"
#include "app_fixture.h"
#include "instrument/driver_api.h"
#include "panels/measurement/main_panel.h"
#include "platform/tick_count.h"
#include "resources/menu_resource.h"

namespace {

constexpr int kMeasuring = 0x10;

class MainPanelTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        stopWorker.store(0);
    }

    void TearDown() override {
        if (panel_ != nullptr) {
            stopWorker.store(1);
            panel_->JoinWorker();
        }
        AppFixture::TearDown();
    }

    void StartPanel() {
        ASSERT_TRUE(Start());
        panel_ = dynamic_cast<CPan1Obj*>(app->panels.front().get());
        ASSERT_NE(panel_, nullptr);
    }

    CPan1Obj& Panel() { return *panel_; }
    CPan1Dlg& Page() { return *panel_->Page(); }
    QPushButton* Button(int id) { return Page().Item<QPushButton>(id); }

    void EnterBase(const QString& text) {
        auto* edit = Page().Item<QLineEdit>(1072);
        edit->setText(text);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &press);
    }

    // Runs ticks past the 75 ms wait until `done` or a few seconds have passed.
    template <typename Done>
    bool TickUntil(Done done) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 5000) {
            platform::AdvanceTickCount(80);
            mainWindow->OnTick();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }

    bool WorkerSettled() {
        const int state = Panel().workerState.load();
        return state != kWorkerStarting && state != kWorkerRunning;
    }

private:
    CPan1Obj* panel_ = nullptr;
};

}  // namespace

TEST_F(MainPanelTest, GridIsEmptyUntilTheFirstReading) {
    StartPanel();
    EXPECT_EQ(Page().CellTexts(), QStringList(10, QString()));
    EXPECT_EQ(Page().CaptionText(), "CVT for channels 10-19:");
    EXPECT_TRUE(Button(1264)->isEnabled());
    EXPECT_FALSE(Button(1358)->isEnabled());
    EXPECT_FALSE(Button(1311)->isVisible());
    EXPECT_FALSE(mainWindow->synchronizeAllowed);
}

TEST_F(MainPanelTest, BaseElementOutOfRangeChangesNothing) {
    StartPanel();
    for (const char* text : {"9", "503", "abc"}) {
        dialogs->Clear();
        EnterBase(text);
        EXPECT_EQ(dialogs->Messages(), QStringList{"Base value out of range, must be 10 to 502."})
            << text;
        EXPECT_EQ(Page().CaptionText(), "CVT for channels 10-19:");
        EXPECT_EQ(Panel().baseChannel.load(), 10);
    }
}

TEST_F(MainPanelTest, BaseElementSetsCaptionAndEmptiesTheGrid) {
    StartPanel();
    Button(1264)->click();
    ASSERT_TRUE(TickUntil([&] { return app->readingMode.load() == kReadingIdle; }));
    EXPECT_EQ(Page().CellTexts().front(), "----") << "SCPI's no reading, 9.91e37";
    EnterBase("502");
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    EXPECT_EQ(Page().CaptionText(), "CVT for channels 502-511:");
    EXPECT_EQ(Page().CellTexts(), QStringList(10, QString()));
    Button(1264)->click();
    ASSERT_TRUE(TickUntil([&] { return app->readingMode.load() == kReadingIdle; }));
    EXPECT_EQ(session->Calls().back(), "ReadCvt(502,10)");
}

TEST_F(MainPanelTest, HoldTriggerEnablesTriggerAndTheNextTickReads) {
    session->SetTriggerSourceAnswer("HOLD");
    StartPanel();
    session->SetOperationCondition(kMeasuring);
    Button(1264)->click();
    EXPECT_FALSE(Button(1264)->isEnabled());
    EXPECT_TRUE(Button(1358)->isEnabled());
    EXPECT_EQ(app->readingMode.load(), kReadingSingle);
    EXPECT_EQ(session->CallCount("Initiate"), 0) << "already measuring";

    Button(1358)->click();
    EXPECT_EQ(session->CallCount("TriggerImmediate"), 1);
    session->SetOperationCondition(0);  // the trigger ended the measurement
    platform::AdvanceTickCount(80);
    mainWindow->OnTick();
    EXPECT_EQ(session->CallCount("ReadCvt"), 1);
    EXPECT_EQ(app->readingMode.load(), kReadingIdle);
    EXPECT_TRUE(Button(1264)->isEnabled());
    EXPECT_FALSE(Button(1358)->isEnabled());
}

TEST_F(MainPanelTest, AWaitingReadingOpensTriggerWaitAndAbortsAtTheNextTick) {
    session->SetTriggerSourceAnswer("TTLT0");
    StartPanel();
    Button(1264)->click();
    EXPECT_FALSE(Button(1358)->isEnabled());
    EXPECT_EQ(session->CallCount("Initiate"), 1);
    session->SetOperationCondition(kMeasuring);

    mainWindow->OnTick();
    EXPECT_EQ(Panel().TriggerWaitDialog(), nullptr) << "not before 75 ms";
    platform::AdvanceTickCount(75);
    mainWindow->OnTick();
    ASSERT_NE(Panel().TriggerWaitDialog(), nullptr);
    EXPECT_TRUE(Panel().TriggerWaitDialog()->isVisible());

    Panel().TriggerWaitDialog()->Item<QPushButton>(1073)->click();
    EXPECT_NE(Panel().TriggerWaitDialog(), nullptr) << "the tick carries the abort out";
    mainWindow->OnTick();
    EXPECT_EQ(Panel().TriggerWaitDialog(), nullptr);
    EXPECT_EQ(session->CallCount("AbortMeasurement"), 1);
    EXPECT_EQ(app->readingMode.load(), kReadingIdle);
    EXPECT_TRUE(Button(1264)->isEnabled());
}

TEST_F(MainPanelTest, OpeningMidMeasurementWarnsAndDisablesTakeReading) {
    session->SetOperationCondition(kMeasuring);
    session->SetTriggerSourceAnswer("BUS");
    StartPanel();
    ASSERT_EQ(dialogs->Messages().size(), 1);
    EXPECT_TRUE(dialogs->Messages().front().startsWith("Device is waiting for Trigger."));
    EXPECT_FALSE(Button(1264)->isEnabled());
    EXPECT_TRUE(Button(1358)->isEnabled());
}

TEST_F(MainPanelTest, AFailedTakeReadingReenablesItself) {
    StartPanel();
    session->FailOperation("Initiate", driver::kTimeout, 1);
    Button(1264)->click();
    EXPECT_EQ(dialogs->Messages(), QStringList{"Time Out !"});
    EXPECT_TRUE(Button(1264)->isEnabled());
    EXPECT_FALSE(Button(1358)->isEnabled());
    EXPECT_EQ(app->readingMode.load(), kReadingIdle);
}

TEST_F(MainPanelTest, AutoUpdateCyclesOnTheWorkerAndShowsValues) {
    StartPanel();
    mainWindow->OnCommand(menus::kAutoUpdate);
    mainWindow->OnTick();
    EXPECT_EQ(app->readingMode.load(), kAutoUpdateRunning);
    EXPECT_FALSE(Button(1264)->isEnabled());
    EXPECT_TRUE(Button(1358)->isEnabled());
    ASSERT_TRUE(TickUntil([&] { return session->CallCount("ReadCvt") >= 3; }));
    EXPECT_FALSE(Page().CellTexts().front().isEmpty());

    mainWindow->OnCommand(menus::kAutoUpdate);  // off
    ASSERT_TRUE(TickUntil([&] { return app->readingMode.load() == kReadingIdle; }));
    Panel().JoinWorker();
    EXPECT_EQ(Panel().workerState.load() == kWorkerRunning, false);
    EXPECT_TRUE(Button(1264)->isEnabled());
    EXPECT_FALSE(Button(1358)->isEnabled());
}

TEST_F(MainPanelTest, AFailingReadDuringAutoUpdateIsReportedOncePerCycle) {
    StartPanel();
    session->SetErrorMessage(-1, "Read failed");
    session->FailOperation("ReadCvt", -1);
    mainWindow->OnCommand(menus::kAutoUpdate);
    ASSERT_TRUE(TickUntil([&] { return dialogs->Messages().size() >= 3; }));
    EXPECT_EQ(app->readingMode.load(), kAutoUpdateRunning) << "the engine keeps cycling";
    stopWorker.store(1);
    Panel().JoinWorker();
    const int cycles = session->CallCount("ReadCvt");
    const int reports = dialogs->Messages().count("Read failed");
    EXPECT_EQ(reports, dialogs->Messages().size());
    EXPECT_GE(cycles, reports);
    EXPECT_LE(cycles, reports + 1) << "at most the last failed cycle is not yet reported";
}

TEST_F(MainPanelTest, SwitchingAwayStopsTheWorkerAndReturningRestartsIt) {
    StartPanel();
    mainWindow->OnCommand(menus::kAutoUpdate);
    ASSERT_TRUE(TickUntil([&] { return session->CallCount("ReadCvt") >= 1; }));
    mainWindow->OnCommand(menus::kStatusPanel);
    EXPECT_NE(Panel().workerState.load(), kWorkerRunning);
    EXPECT_EQ(Panel().readingsPaused.load(), 1);
    Panel().JoinWorker();
    const int readsWhileAway = session->CallCount("ReadCvt");
    for (int i = 0; i < 5; ++i) {
        platform::AdvanceTickCount(80);
        mainWindow->OnTick();
    }
    EXPECT_EQ(session->CallCount("ReadCvt"), readsWhileAway);

    mainWindow->OnCommand(menus::kMainPanel);
    EXPECT_EQ(app->readingMode.load(), kAutoUpdateRequested);
    ASSERT_TRUE(TickUntil([&] { return session->CallCount("ReadCvt") > readsWhileAway; }));
}

// Quick presses, some two before a tick, while the worker's read is held and
// then released during the tick: menu, mode and worker must agree after each.
TEST_F(MainPanelTest, QuickAutoUpdateTogglesKeepMenuModeAndWorkerInStep) {
    StartPanel();
    QAction* check = mainWindow->Action(menus::kAutoUpdate);
    for (int i = 0; i < 30; ++i) {
        session->holdReads.store(true);
        mainWindow->OnCommand(menus::kAutoUpdate);
        if (i % 3 == 0) {
            mainWindow->OnCommand(menus::kAutoUpdate);
        }
        std::thread release([this] {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            session->holdReads.store(false);
        });
        platform::AdvanceTickCount(80);
        mainWindow->OnTick();
        release.join();
        const bool on = check->isChecked();
        ASSERT_EQ(on, app->autoUpdate) << "toggle " << i;
        ASSERT_EQ(app->readingMode.load(), on ? kAutoUpdateRunning : kReadingIdle)
            << "toggle " << i;
        if (!on) {
            ASSERT_TRUE(WorkerSettled()) << "toggle " << i;
        }
    }
    if (!check->isChecked()) {
        mainWindow->OnCommand(menus::kAutoUpdate);
    }
    const int reads = session->CallCount("ReadCvt");
    ASSERT_TRUE(TickUntil([&] { return session->CallCount("ReadCvt") > reads; }))
        << "readings go on after the last toggle";
}

// Notes the region each widget of a page is painted in.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget& page) {
        page.installEventFilter(this);
        for (QWidget* child : page.findChildren<QWidget*>()) {
            child->installEventFilter(this);
        }
    }
    std::map<QObject*, QRegion> painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted[watched] += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

TEST_F(MainPanelTest, AReadingCycleRepaintsTheChangedCellsAlone) {
    StartPanel();
    Panel().readingsStale.store(0);
    for (auto& reading : Panel().readings) {
        reading.store(1.0);
    }
    Page().ShowReadings();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();  // the bitmaps' first paint sizes them and paints again
    PaintRecorder recorder(Page());
    Page().ShowReadings();
    Page().SetCaption(Panel().baseChannel.load());
    QCoreApplication::processEvents();
    EXPECT_TRUE(recorder.painted.empty()) << "nothing changed, nothing is painted";

    Panel().readings[3].store(2.5);
    Panel().readings[7].store(9.91e37);
    Page().ShowReadings();
    QCoreApplication::processEvents();
    const QRect grid = Page().GridRect();
    EXPECT_EQ(Page().CellTexts()[3], "2.5");
    EXPECT_EQ(Page().CellTexts()[7], "----");
    ASSERT_EQ(recorder.painted.size(), 1u) << "the page alone, none of its controls";
    EXPECT_EQ(recorder.painted.begin()->first, &Page());
    EXPECT_EQ(recorder.painted.begin()->second,
              QRegion(CPan1Dlg::CellRect(grid, 3)) + CPan1Dlg::CellRect(grid, 7));

    // A value of the same width repaints from its first changed digit on: "2." stays.
    recorder.painted.clear();
    Panel().readings[3].store(2.7);
    Page().ShowReadings();
    QCoreApplication::processEvents();
    const QRect cell = CPan1Dlg::CellRect(grid, 3);
    const QRect repainted = recorder.painted[&Page()].boundingRect();
    EXPECT_TRUE(cell.contains(repainted));
    EXPECT_GT(repainted.left(), cell.left() + cell.width() / 3);
}

TEST_F(MainPanelTest, CloseIsRefusedWhileAutoUpdateRuns) {
    StartPanel();
    mainWindow->OnCommand(menus::kAutoUpdate);
    mainWindow->OnTick();
    mainWindow->OnCommand(menus::kClose);
    EXPECT_EQ(dialogs->Messages().size(), 1);
    EXPECT_FALSE(app->panels.empty());
}
