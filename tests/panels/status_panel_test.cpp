#include <QApplication>
#include <QPushButton>
#include <atomic>
#include <chrono>
#include <thread>

#include "app_fixture.h"
#include "controls/framed_label.h"
#include "instrument/live_instrument.h"
#include "page_keys.h"
#include "panels/measurement/status_panel.h"
#include "resources/menu_resource.h"
#include "simulator_libraries.h"

namespace {

constexpr int kFailure = -1074000000;
constexpr int kErrorNumber = 1016;
constexpr int kErrorMessage = 1017;
constexpr int kStatusByte = 1022;
constexpr int kReadErrorQueue = 1015;
constexpr int kReadStatus = 1020;
constexpr int kClearStatus = 1021;
constexpr int kOpc = 1023;
// In register-bit order: Lost Cal, Trg Fast, FIFO Ovl, Over Volt, VME Ovl, Setup.
const int kIndicators[] = {1037, 1030, 1031, 1032, 1033, 1034};

const std::string kQuestionable = "QueryQuestionableCondition()";
const std::string kStatusByteQuery = "QueryStatusByte()";

std::vector<std::string> RefreshCalls() {
    std::vector<std::string> calls(6, kQuestionable);
    calls.push_back(kStatusByteQuery);
    return calls;
}

class StatusPanelTest : public AppFixture {
protected:
    // Starts the front panel and selects the status panel; the recorded calls
    // are then the page's own.
    CStatDlg& Open() {
        EXPECT_TRUE(Start());
        if (session != nullptr) {
            session->ClearCalls();
        }
        return ShowPage();
    }

    CStatDlg& ShowPage() {
        mainWindow->OnCommand(menus::kStatusPanel);
        page_ = dynamic_cast<CStatDlg*>(CurrentPage());
        EXPECT_NE(page_, nullptr);
        return *page_;
    }

    QString Text(int id) const { return page_->Item<FramedLabel>(id)->Text(); }
    QStringList Indicators() const {
        QStringList texts;
        for (const int id : kIndicators) {
            texts.append(Text(id));
        }
        return texts;
    }
    void Press(int id) { page_->Item<QPushButton>(id)->click(); }

    CStatDlg* page_ = nullptr;
};

}  // namespace

TEST_F(StatusPanelTest, EmulationShowsAnEmptyQueueAndClearBits) {
    app->instrument = std::make_unique<EmulatedInstrument>();
    session = nullptr;
    Open();
    Press(kReadErrorQueue);
    EXPECT_EQ(Text(kErrorNumber), "0");
    EXPECT_EQ(Text(kErrorMessage), "");
    EXPECT_EQ(Indicators(), QStringList(6, "0"));
    EXPECT_EQ(Text(kStatusByte), "0");
    EXPECT_TRUE(dialogs->Messages().isEmpty());
}

TEST_F(StatusPanelTest, OpeningReadsEachBitInTableOrderThenTheStatusByte) {
    session->SetQuestionableCondition(0x0500);
    session->SetStatusByte(68);
    Open();
    EXPECT_EQ(session->Calls(), RefreshCalls());
    EXPECT_EQ(Indicators(), (QStringList{"1", "0", "1", "0", "0", "0"}));
    EXPECT_EQ(Text(kStatusByte), "68");
}

TEST_F(StatusPanelTest, AFailureStopsTheRefreshReportsOnceAndKeepsWhatWasSet) {
    session->SetQuestionableCondition(0x3F00);
    session->SetStatusByte(5);
    session->SetErrorMessage(kFailure, "refused");
    Open();
    ASSERT_EQ(Indicators(), QStringList(6, "1"));
    session->SetQuestionableCondition(0);
    session->SetStatusByte(0);
    session->FailAfter("QueryQuestionableCondition", 2, kFailure);
    session->ClearCalls();
    Press(kReadStatus);
    EXPECT_EQ(session->Calls(), std::vector<std::string>(3, kQuestionable));
    EXPECT_EQ(Indicators(), (QStringList{"0", "0", "1", "1", "1", "1"}));
    EXPECT_EQ(Text(kStatusByte), "5");
    EXPECT_EQ(dialogs->Messages(), QStringList{"refused"});
}

TEST_F(StatusPanelTest, ReadStausRefreshesThenReadsTheStatusByteAgain) {
    Open();
    session->SetStatusByte(16);
    session->ClearCalls();
    Press(kReadStatus);
    std::vector<std::string> expected = RefreshCalls();
    expected.push_back(kStatusByteQuery);
    EXPECT_EQ(session->Calls(), expected);
    EXPECT_EQ(Text(kStatusByte), "16");
}

TEST_F(StatusPanelTest, ClearStatusShowsTheRegistersAfterTheClear) {
    session->SetStatusByte(4);
    Open();
    ASSERT_EQ(Text(kStatusByte), "4");
    session->ClearCalls();
    Press(kClearStatus);
    std::vector<std::string> expected{"ClearStatus()"};
    const std::vector<std::string> refresh = RefreshCalls();
    expected.insert(expected.end(), refresh.begin(), refresh.end());
    EXPECT_EQ(session->Calls(), expected);
    EXPECT_EQ(Text(kStatusByte), "0");
}

TEST_F(StatusPanelTest, AFailedClearChangesNothingFurther) {
    session->SetStatusByte(4);
    session->SetErrorMessage(kFailure, "refused");
    Open();
    session->FailOperation("ClearStatus", kFailure, 1);
    session->ClearCalls();
    Press(kClearStatus);
    EXPECT_EQ(session->Calls(), std::vector<std::string>{"ClearStatus()"});
    EXPECT_EQ(Text(kStatusByte), "4");
    EXPECT_EQ(dialogs->Messages(), QStringList{"refused"});
}

TEST_F(StatusPanelTest, EachReadErrorQueuePressShowsOneEntry) {
    session->QueueError(-113, "Undefined header");
    session->QueueError(-222, "Data out of range");
    Open();
    Press(kReadErrorQueue);
    EXPECT_EQ(Text(kErrorNumber), "-113");
    EXPECT_EQ(Text(kErrorMessage), "Undefined header");
    Press(kReadErrorQueue);
    EXPECT_EQ(Text(kErrorNumber), "-222");
    EXPECT_EQ(Text(kErrorMessage), "Data out of range");
    EXPECT_EQ(session->CallCount("QueryErrorQueue"), 2);
    EXPECT_TRUE(dialogs->Messages().isEmpty());
}

TEST_F(StatusPanelTest, OpcPollsUntilTheInstrumentAnswersNonZero) {
    Open();
    session->SetOpcAnswers({0, 0, 0, 7});
    session->ClearCalls();
    Press(kOpc);
    EXPECT_EQ(session->CallCount("QueryOpc"), 4);
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(StatusPanelTest, AFailingOpcEndsTheLoopAndTheWaitCursor) {
    session->SetErrorMessage(kFailure, "refused");
    Open();
    session->SetOpcAnswers(std::deque<int>(10, 0));
    session->FailAfter("QueryOpc", 2, kFailure);
    session->ClearCalls();
    Press(kOpc);
    EXPECT_EQ(session->CallCount("QueryOpc"), 3);
    EXPECT_EQ(dialogs->Messages(), QStringList{"refused"});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(StatusPanelTest, SynchronizeRefreshesOnlyWhileThePageExists) {
    Open();
    session->SetQuestionableCondition(0x2000);
    session->ClearCalls();
    mainWindow->OnCommand(menus::kSynchronize);
    EXPECT_EQ(session->Calls(), RefreshCalls());
    EXPECT_EQ(Text(1034), "1");
    CPanel* status = app->currentPanel;
    mainWindow->OnCommand(menus::kMainPanel);
    session->ClearCalls();
    status->Synchronize();
    EXPECT_EQ(session->CallCount("QueryQuestionableCondition"), 0);
}

TEST_F(StatusPanelTest, EveryButtonIsReachedByTabAndPressedBySpaceOrEnter) {
    session->QueueError(-113, "Undefined header");
    Open();
    ASSERT_TRUE(ActivateForKeys(*mainWindow));
    ASSERT_TRUE(TabTo(*mainWindow, kReadErrorQueue));
    PressKey(*mainWindow, Qt::Key_Space);
    EXPECT_EQ(Text(kErrorNumber), "-113");

    PressKey(*mainWindow, Qt::Key_Tab);
    ASSERT_EQ(FocusedId(), kReadStatus);
    session->ClearCalls();
    PressKey(*mainWindow, Qt::Key_Return);
    EXPECT_EQ(session->CallCount("QueryStatusByte"), 2);

    PressKey(*mainWindow, Qt::Key_Tab);
    ASSERT_EQ(FocusedId(), kClearStatus);
    PressKey(*mainWindow, Qt::Key_Enter);
    EXPECT_EQ(session->CallCount("ClearStatus"), 1);

    PressKey(*mainWindow, Qt::Key_Tab);
    ASSERT_EQ(FocusedId(), kOpc);
    PressKey(*mainWindow, Qt::Key_Space);
    EXPECT_EQ(session->CallCount("QueryOpc"), 1);

    PressKey(*mainWindow, Qt::Key_Tab);
    EXPECT_EQ(FocusedId(), kReadErrorQueue);
    EXPECT_TRUE(dialogs->Messages().isEmpty());
}

// ---- against the simulated instrument ----

namespace {

class StatusPanelSimulatorTest : public StatusPanelTest {
protected:
    void SetUp() override {
        StatusPanelTest::SetUp();
        ASSERT_TRUE(UseSimulatedInstrument(*app, session));
    }

    SimulatorLibraries simulator;
};

}  // namespace

TEST_F(StatusPanelSimulatorTest, QuestionableValue0x0500LightsLostCalAndFifoOverflow) {
    simulator.DriverDirective("answer STAT:QUES:COND? 1280");
    ASSERT_TRUE(Start());
    const std::size_t mark = simulator.LogMark();
    ShowPage();
    EXPECT_EQ(Indicators(), (QStringList{"1", "0", "1", "0", "0", "0"}));
    std::vector<std::string> expected(6, "qot7720_cmdInt32_Q \"STAT:QUES:COND?\"");
    expected.push_back("qot7720_cmdInt32_Q \"*STB?\"");
    EXPECT_EQ(simulator.DriverCalls(mark), expected);
    EXPECT_TRUE(dialogs->Messages().isEmpty());
}

// Reported, each "error queued" status of the page's own queries reads one entry.
TEST_F(StatusPanelSimulatorTest, QueuedErrorsWaitForReadErrorQueueBehindOneNote) {
    simulator.DriverDirective("answer STAT:QUES:COND? 1280");
    ASSERT_TRUE(Start());
    simulator.DriverDirective("queue-error -113 \"Undefined header\"");
    simulator.DriverDirective("queue-error -222 \"Data out of range\"");
    const std::size_t mark = simulator.LogMark();
    ShowPage();
    EXPECT_EQ(Indicators(), (QStringList{"1", "0", "1", "0", "0", "0"}));
    EXPECT_EQ(Text(kStatusByte), "4");
    EXPECT_EQ(dialogs->Messages(),
              QStringList{"Errors are waiting in the instrument's error queue.  Read Error Queue "
                          "shows them, one per press."});
    EXPECT_FALSE(HasLineStarting(simulator.DriverCalls(mark), "qot7720_error_query"));
    QStringList entries;
    for (int press = 0; press < 3; ++press) {
        Press(kReadErrorQueue);
        entries.append(Text(kErrorNumber));
    }
    EXPECT_EQ(entries, (QStringList{"-113", "-222", "0"}));
}

TEST_F(StatusPanelSimulatorTest, OpcThatNeverCompletesEndsOnTheTimeOut) {
    Open();
    simulator.DriverDirective("answer *OPC? 0");
    const std::size_t mark = simulator.LogMark();
    const auto opcCalls = [&] {
        return CountLinesStarting(simulator.DriverCalls(mark), "qot7720_cmdInt32_Q \"*OPC?\"");
    };
    // Once the loop has seen a few incomplete answers, the next query times out.
    std::thread instrument([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (opcCalls() < 3 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        simulator.DriverDirective("timeout-next *OPC?");
    });
    Press(kOpc);
    instrument.join();
    EXPECT_GE(opcCalls(), 4);
    EXPECT_EQ(dialogs->Messages(), QStringList{"Time Out !\nwhile querying *OPC? from Status"});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
