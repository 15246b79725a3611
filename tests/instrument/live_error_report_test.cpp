// Failures of the live instrument as the operator sees them: the simulated
// driver's statuses through the failure scope and ReportInstrumentError.

#include <gtest/gtest.h>

#include "app/failure_scope.h"
#include "app/sfp_app.h"
#include "instrument/live_instrument.h"
#include "recording_dialogs.h"
#include "simulator_libraries.h"

namespace {

class LiveErrorReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto live = OpenLiveInstrument(SimulatorLibraries::Path(SimulatorLibraries::kDriver));
        ASSERT_TRUE(live);
        instrument = live.get();
        app.instrument = std::move(live);
    }

    bool Run(const std::function<void(LiveInstrument&)>& action) {
        return RunInFailureScope([this, action] { action(*instrument); });
    }

    SimulatorLibraries simulator;
    ScopedRecordingDialogs dialogs;
    CSfpApp app;
    LiveInstrument* instrument = nullptr;
};

TEST_F(LiveErrorReportTest, ThreeQueuedErrorsGiveThreeBoxes) {
    simulator.DriverDirective("queue-error -100 \"Command error\"");
    simulator.DriverDirective("queue-error -222 \"Data out of range\"");
    simulator.DriverDirective("queue-error -211 \"Trigger ignored\"");
    EXPECT_FALSE(Run([](LiveInstrument& i) { i.SetAverageCount(4); }));
    const QStringList messages = dialogs->Messages();
    ASSERT_EQ(messages.size(), 3);
    for (const QString& message : messages) {
        EXPECT_TRUE(message.startsWith(QStringLiteral("Instrument reports error: ")))
            << message.toStdString();
    }
    EXPECT_TRUE(messages[0].contains(QStringLiteral("Command error")));
    EXPECT_TRUE(messages[1].contains(QStringLiteral("Data out of range")));
    EXPECT_TRUE(messages[2].contains(QStringLiteral("Trigger ignored")));
    EXPECT_EQ(dialogs->Count(DialogEvent::Beep), 3);
    EXPECT_EQ(CountLinesStarting(simulator.DriverCalls(), "qot7720_error_query"), 4)
        << "the queue is read until it is empty";
}

TEST_F(LiveErrorReportTest, TimeOutIsShownOnce) {
    simulator.DriverDirective("timeout-next *RST");
    EXPECT_FALSE(Run([](LiveInstrument& i) { i.Reset(); }));
    EXPECT_EQ(dialogs->Messages(), QStringList{QStringLiteral("Time Out !\nwhile sending *RST")});
    EXPECT_EQ(dialogs->Count(DialogEvent::Beep), 0);
}

TEST_F(LiveErrorReportTest, RefusedCallShowsReentrant) {
    instrument->SetBusy(1);
    EXPECT_FALSE(Run([](LiveInstrument& i) { i.Reset(); }));
    EXPECT_EQ(dialogs->Messages(), QStringList{QStringLiteral("Reentrant\nwhile sending *RST")});
}

TEST_F(LiveErrorReportTest, DriverFailureShowsTheDriverText) {
    simulator.DriverDirective("fail-next *RST 0xBFFF0011");
    EXPECT_FALSE(Run([](LiveInstrument& i) { i.Reset(); }));
    EXPECT_EQ(
        dialogs->Messages(),
        QStringList{QStringLiteral("Resource not present in the system\nwhile sending *RST")});
}

TEST_F(LiveErrorReportTest, OversizedValueTableReadIsExplained) {
    EXPECT_FALSE(Run([](LiveInstrument& i) { i.ReadCvt(0, 600); }));
    EXPECT_EQ(dialogs->Messages(),
              QStringList{QStringLiteral(
                  "Parameter 3 is invalid\nwhile calling qot7720_readCVT_Q (first 0, count 600); "
                  "the count is 1 to 512, and first element plus count at most 512")});
}

}  // namespace
