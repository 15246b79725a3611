#include <QAction>
#include <QCoreApplication>
#include <QMenuBar>
#include <QStatusBar>
#include <atomic>
#include <thread>

#include "app/failure_scope.h"
#include "app/main_panel_state.h"
#include "app_fixture.h"
#include "instrument/driver_api.h"
#include "resources/menu_resource.h"
#include "resources/string_table.h"

namespace {

const QString kCannotExit =
    QStringLiteral("Cannot exit while in AutoUpdate mode.  Shutdown AutoUpdate then re-exit");

// A panel that counts its ticks and lets a test run code inside one.
class CountingPanel : public CPanel {
public:
    explicit CountingPanel(QString name) : CPanel(std::move(name)) {}
    void Tick() override {
        ++ticks;
        if (duringTick) {
            duringTick();
        }
    }
    void Synchronize() override { ++synchronizations; }
    void Show() override { App().currentPanel = this; }
    int ticks = 0;
    int synchronizations = 0;
    std::function<void()> duringTick;
};

class MainWindowTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
    }

    CountingPanel& AddCountingPanel() {
        auto panel = std::make_unique<CountingPanel>(QStringLiteral("Counting"));
        CountingPanel& counting = *panel;
        app->panels.push_back(std::move(panel));
        return counting;
    }
};

}  // namespace

TEST_F(MainWindowTest, StartsOnTheMainPanelWithTenPanelsInOrder) {
    const QStringList expected = {"Main Panel",  "Status Panel",       "Trigger/Arm Panel",
                                  "SCP map",     "INPUT/OUTPUT PANEL", "Sense Function",
                                  "Sense Panel", "Source Panel",       "Algorithm Panel",
                                  "Fifo Data"};
    QStringList names;
    for (const auto& panel : app->panels) {
        names.append(panel->Name());
    }
    EXPECT_EQ(names, expected);
    EXPECT_EQ(app->currentPanel, app->panels.front().get());
    EXPECT_EQ(static_cast<void*>(app->mainPanel),
              static_cast<void*>(dynamic_cast<MainPanelState*>(app->panels.front().get())));
    EXPECT_EQ(mainWindow->checkedPanelCommand, menus::kMainPanel);
    EXPECT_TRUE(mainWindow->Action(menus::kMainPanel)->isChecked());
    EXPECT_EQ(mainWindow->windowTitle(), "QOT7720 Soft Front Panel");
    EXPECT_TRUE(mainWindow->TickTimerActive());
    EXPECT_EQ(mainWindow->TickPeriod(), 150);
    EXPECT_FALSE(mainWindow->busy);
    EXPECT_TRUE(mainWindow->isVisible());
}

TEST_F(MainWindowTest, TheWindowTakesThePageSize) {
    QWidget* page = CurrentPage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(mainWindow->width(), page->width());
    EXPECT_EQ(mainWindow->height(), page->height() + mainWindow->menuBar()->sizeHint().height() +
                                        mainWindow->statusBar()->sizeHint().height());
    mainWindow->OnCommand(menus::kStatusPanel);
    page = CurrentPage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(mainWindow->width(), page->width());
}

TEST_F(MainWindowTest, MenuSeparatorsAndChecks) {
    const QList<QAction*> menus = mainWindow->menuBar()->actions();
    // The program's own Tools menu sits between Panels and Help.
    QStringList titles;
    for (QAction* menu : menus) {
        titles.append(menu->text());
    }
    ASSERT_EQ(titles.size(), 4);
    EXPECT_EQ(titles[2], QStringLiteral("&Tools"));
    QStringList tools;
    for (QAction* item : menus[2]->menu()->actions()) {
        tools.append(item->text());
    }
    EXPECT_EQ(tools, QStringList({"&I/O Monitor...", "&SCPI Console...", "&Connection...",
                                  "Readings C&hart...", "&Record Readings..."}));
    QStringList system;
    for (QAction* item : menus[0]->menu()->actions()) {
        system.append(item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    EXPECT_EQ(system,
              QStringList({"Self &Test", "&Syncronize", "&Auto Update", "&Reset", "-", "&Close"}));
    mainWindow->OnCommand(menus::kFifoPanel);
    EXPECT_TRUE(mainWindow->Action(menus::kFifoPanel)->isChecked());
    EXPECT_FALSE(mainWindow->Action(menus::kMainPanel)->isChecked());
    EXPECT_EQ(app->currentPanel->Name(), "Fifo Data");
}

TEST_F(MainWindowTest, CloseIsRefusedDuringAutoUpdateByEitherPath) {
    for (const int mode : {kAutoUpdateRequested, kAutoUpdateStopping, kAutoUpdateRunning}) {
        dialogs->Clear();
        app->readingMode.store(mode);
        mainWindow->OnCommand(menus::kClose);
        EXPECT_EQ(dialogs->Messages(), QStringList{kCannotExit}) << "System > Close, mode " << mode;
        dialogs->Clear();
        mainWindow->close();  // the title bar's close
        EXPECT_EQ(dialogs->Messages(), QStringList{kCannotExit}) << "title bar, mode " << mode;
        EXPECT_TRUE(mainWindow->isVisible());
        EXPECT_FALSE(app->panels.empty());
    }
}

TEST_F(MainWindowTest, StopAutoUpdateAndExitStopsAsTheMenuDoesThenCloses) {
    mainWindow->OnCommand(menus::kAutoUpdate);
    mainWindow->OnTick();
    ASSERT_EQ(app->readingMode.load(), kAutoUpdateRunning);
    dialogs->AnswerStop(true);
    mainWindow->close();
    EXPECT_EQ(dialogs->Messages(), QStringList{kCannotExit});
    EXPECT_EQ(dialogs->OfferedStops(), 1);
    EXPECT_EQ(app->readingMode.load(), kReadingIdle) << "the main panel's stop ran";
    EXPECT_FALSE(app->autoUpdate);
    EXPECT_FALSE(mainWindow->Action(menus::kAutoUpdate)->isChecked());
    EXPECT_EQ(app->instrument, nullptr);
}

TEST_F(MainWindowTest, CloseShutsDownInOrderWhenIdle) {
    app->readingMode.store(kReadingSingle);
    mainWindow->OnCommand(menus::kClose);
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    EXPECT_TRUE(app->panels.empty());
    EXPECT_EQ(app->instrument, nullptr);
    EXPECT_EQ(app->currentPanel, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(mainWindow.isNull());
}

TEST_F(MainWindowTest, SelectingAnotherPanelPausesAutoUpdateButMainPanelDoesNot) {
    MainPanelState& state = *app->mainPanel;
    stopWorker.store(0);
    app->readingMode.store(kAutoUpdateRunning);
    mainWindow->OnCommand(menus::kMainPanel);
    EXPECT_EQ(state.readingsPaused.load(), 0);
    EXPECT_EQ(stopWorker.load(), 0);

    app->readingMode.store(kAutoUpdateRunning);
    mainWindow->OnCommand(menus::kStatusPanel);
    EXPECT_EQ(state.readingsPaused.load(), 1);
    EXPECT_EQ(stopWorker.load(), 1);
    EXPECT_EQ(app->currentPanel->Name(), "Status Panel");
    EXPECT_EQ(app->readingMode.load(), kAutoUpdateRunning) << "no resume step follows";
}

TEST_F(MainWindowTest, PauseWaitsUntilTheWorkerHasStopped) {
    MainPanelState& state = *app->mainPanel;
    stopWorker.store(0);
    state.workerState.store(kWorkerRunning);
    app->readingMode.store(kAutoUpdateRunning);
    std::atomic<bool> stoppedBeforeReturn{false};
    std::thread worker([&] {
        while (stopWorker.load() == 0) {
            std::this_thread::yield();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        stoppedBeforeReturn.store(true);
        state.workerState.store(kWorkerIdle);
    });
    mainWindow->OnCommand(menus::kTriggerPanel);
    EXPECT_TRUE(stoppedBeforeReturn.load());
    worker.join();
}

TEST_F(MainWindowTest, SelectingTheCurrentPanelRebuildsItsPage) {
    QPointer<QWidget> before = CurrentPage();
    ASSERT_FALSE(before.isNull());
    mainWindow->OnCommand(menus::kMainPanel);
    EXPECT_TRUE(before.isNull()) << "the old page must be destroyed";
    EXPECT_NE(CurrentPage(), nullptr);
}

TEST_F(MainWindowTest, ShowingAnotherPanelDestroysThePreviousPage) {
    QPointer<QWidget> mainPage = CurrentPage();
    mainWindow->OnCommand(menus::kStatusPanel);
    EXPECT_TRUE(mainPage.isNull());
    EXPECT_EQ(app->panels.front()->Window(), nullptr);
}

TEST_F(MainWindowTest, EveryPanelTicksShownOrNot) {
    CountingPanel& counting = AddCountingPanel();
    mainWindow->OnTick();
    mainWindow->OnTick();
    EXPECT_EQ(counting.ticks, 2);
    EXPECT_FALSE(mainWindow->tickInProgress);
}

TEST_F(MainWindowTest, TickIsNotReentered) {
    CountingPanel& counting = AddCountingPanel();
    bool resetEnabledDuringTick = true;
    counting.duringTick = [&] {
        mainWindow->OnTick();
        mainWindow->UpdateCommandStates();
        resetEnabledDuringTick = mainWindow->Action(menus::kReset)->isEnabled();
    };
    mainWindow->OnTick();
    EXPECT_EQ(counting.ticks, 1);
    EXPECT_FALSE(resetEnabledDuringTick);
    mainWindow->UpdateCommandStates();
    EXPECT_TRUE(mainWindow->Action(menus::kReset)->isEnabled());
}

TEST_F(MainWindowTest, SynchronizeIsGreyedWhilePagesSaySo) {
    app->EnableSynchronize(false);
    mainWindow->UpdateCommandStates();
    EXPECT_FALSE(mainWindow->Action(menus::kSynchronize)->isEnabled());
    app->EnableSynchronize(true);
    mainWindow->UpdateCommandStates();
    EXPECT_TRUE(mainWindow->Action(menus::kSynchronize)->isEnabled());
}

TEST_F(MainWindowTest, SynchronizeReachesOnlyTheCurrentPanel) {
    CountingPanel& counting = AddCountingPanel();
    mainWindow->OnCommand(menus::kStatusPanel);
    mainWindow->OnCommand(menus::kSynchronize);
    EXPECT_EQ(counting.synchronizations, 0);
    app->currentPanel = &counting;
    mainWindow->OnCommand(menus::kSynchronize);
    EXPECT_EQ(counting.synchronizations, 1);
}

TEST_F(MainWindowTest, AConversionFailureIsFatal) {
    app->panels[1] = std::make_unique<CPanel>(QStringLiteral("Status Panel"));
    mainWindow->OnCommand(menus::kStatusPanel);
    EXPECT_EQ(dialogs->Messages(), QStringList{"CStatObj failed conversion, fatal"});
    EXPECT_TRUE(app->MainWindowDestroyed());
    EXPECT_TRUE(app->panels.empty());
}

TEST_F(MainWindowTest, AMissingPanelCountsAsAConversionFailure) {
    app->panels.pop_back();  // "Fifo Data"
    mainWindow->OnCommand(menus::kFifoPanel);
    EXPECT_EQ(dialogs->Messages(), QStringList{"CFifoObj failed conversion, fatal"});
    EXPECT_TRUE(app->MainWindowDestroyed());
}

TEST_F(MainWindowTest, AnErrorReportSlowsTheTickTo300Milliseconds) {
    session->FailOperation("Initiate", driver::kTimeout);
    EXPECT_FALSE(RunInFailureScope([] { App().instrument->Initiate(); }));
    EXPECT_EQ(dialogs->Messages(), QStringList{"Time Out !"});
    EXPECT_TRUE(mainWindow->TickTimerActive());
    EXPECT_EQ(mainWindow->TickPeriod(), 300);
}

TEST_F(MainWindowTest, HelpContentsOpensTheHelpIndex) {
    mainWindow->OnCommand(menus::kHelpContents);
    EXPECT_EQ(dialogs->Count(DialogEvent::Help), 1);
}

TEST_F(MainWindowTest, AutoUpdateTogglesModeAndCheckMark) {
    mainWindow->OnCommand(menus::kAutoUpdate);
    EXPECT_EQ(app->readingMode.load(), kAutoUpdateRequested);
    EXPECT_TRUE(mainWindow->Action(menus::kAutoUpdate)->isChecked());

    app->readingMode.store(kAutoUpdateRunning);
    mainWindow->OnCommand(menus::kAutoUpdate);
    EXPECT_EQ(app->readingMode.load(), kAutoUpdateStopping);
    EXPECT_FALSE(mainWindow->Action(menus::kAutoUpdate)->isChecked());
}

TEST_F(MainWindowTest, AutoUpdateEndedByThePanelNeedsTwoCommandsToRestart) {
    mainWindow->OnCommand(menus::kAutoUpdate);
    app->readingMode.store(kReadingIdle);  // the panel gave up after a failure
    mainWindow->OnCommand(menus::kAutoUpdate);
    EXPECT_FALSE(mainWindow->Action(menus::kAutoUpdate)->isChecked());
    EXPECT_EQ(app->readingMode.load(), kReadingIdle);
    mainWindow->OnCommand(menus::kAutoUpdate);
    EXPECT_TRUE(mainWindow->Action(menus::kAutoUpdate)->isChecked());
    EXPECT_EQ(app->readingMode.load(), kAutoUpdateRequested);
}

TEST_F(MainWindowTest, ResetPollsUntilCompleteThenSynchronizes) {
    CountingPanel& counting = AddCountingPanel();
    app->currentPanel = &counting;
    session->SetOpcAnswers({0, 0, 0, 1});
    mainWindow->OnCommand(menus::kReset);
    EXPECT_EQ(session->CallCount("Reset"), 1);
    EXPECT_EQ(session->CallCount("QueryOpc"), 4);
    EXPECT_EQ(counting.synchronizations, 1);
    EXPECT_FALSE(mainWindow->busy);
}

TEST_F(MainWindowTest, ResetSynchronizesAfterAFailureToo) {
    CountingPanel& counting = AddCountingPanel();
    app->currentPanel = &counting;
    session->FailOperation("Reset", driver::kTimeout);
    mainWindow->OnCommand(menus::kReset);
    EXPECT_EQ(session->CallCount("QueryOpc"), 0);
    EXPECT_EQ(dialogs->Messages(), QStringList{"Time Out !"});
    EXPECT_EQ(counting.synchronizations, 1);
}

TEST(StartUp, FallsBackToTheEmulatedInstrument) {
    ScopedRecordingDialogs dialogs;
    CSfpApp app;
    auto* window = new CMainWnd;
    ASSERT_TRUE(window->Initialize());
    EXPECT_EQ(app.instrumentAddress, "EMULATED");
    EXPECT_EQ(app.vxiSlot, 32000);
    EXPECT_EQ(app.statusColor, kDarkGreyBrush);
    EXPECT_NE(dynamic_cast<EmulatedInstrument*>(app.instrument.get()), nullptr);
    delete window;
}
