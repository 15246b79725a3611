// The control file that a running simulator listens to: directives appended
// while the libraries are in use apply at the next call, without a restart.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <thread>

#include "tests/sim/driver_fixture.h"

namespace simtest {
namespace {

constexpr ViStatus kInjected = static_cast<ViStatus>(0xBFFF0015u);

class ControlChannelTest : public DriverTest {
protected:
    void SetUp() override {
        DriverTest::SetUp();
        path_ = ::testing::TempDir() + "sim_control_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::remove(path_.c_str());
    }
    void TearDown() override {
        control("control off");
        std::remove(path_.c_str());
        DriverTest::TearDown();
    }

    void append(const std::string& text) const {
        std::ofstream file(path_, std::ios::app);
        file << text;
    }

    std::string path_;
};

TEST_F(ControlChannelTest, AppendedDirectivesApplyAtTheNextCall) {
    control("control \"" + path_ + "\"");
    EXPECT_EQ(cmd("*OPC"), 0);
    append("fail-match \"*OPC\" 0xBFFF0015\n");
    EXPECT_EQ(cmd("*OPC"), kInjected);
    EXPECT_EQ(cmd("*OPC"), kInjected) << "a lasting rule";
    append("stop-failing\n");
    EXPECT_EQ(cmd("*OPC"), 0);
}

TEST_F(ControlChannelTest, OnlyCompleteLinesAppendedAfterOpeningApply) {
    append("fail-match \"*OPC\" -5\n");  // an earlier run's line
    control("control \"" + path_ + "\"");
    EXPECT_EQ(cmd("*OPC"), 0);
    append("fail-match \"*OPC\" -6");
    EXPECT_EQ(cmd("*OPC"), 0) << "the line is not finished yet";
    append("\n");
    EXPECT_EQ(cmd("*OPC"), -6);
}

TEST_F(ControlChannelTest, AFileWrittenAnewIsReadFromItsStart) {
    control("control \"" + path_ + "\"");
    append("fail-match \"*OPC\" -5\nstop-failing\n");
    EXPECT_EQ(cmd("*OPC"), 0);
    std::ofstream(path_, std::ios::trunc) << "fail-next \"*OPC\" -7\n";
    EXPECT_EQ(cmd("*OPC"), -7);
}

TEST_F(ControlChannelTest, ABadLineIsSkippedAndTheRestApply) {
    control("control \"" + path_ + "\"");
    append("no-such-directive\nfail-next \"*OPC\" -9\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(cmd("*OPC"), -9);
    const std::string error = testing::internal::GetCapturedStderr();
    EXPECT_NE(error.find("no-such-directive"), std::string::npos) << error;
}

// A directive appended while one call is held reaches the call of another
// thread; the held call is not disturbed.
TEST_F(ControlChannelTest, ReachesOtherThreadsWhileACallIsHeld) {
    control("control \"" + path_ + "\"");
    control("hold-ms \"*OPC?\" 300");
    std::atomic<ViStatus> held{1};
    std::thread holder([&] {
        ViInt32 answer = 0;
        held.store(api().cmdInt32Q(session_, "*OPC?", &answer));
    });
    ASSERT_TRUE(eventually([&] {
        const auto lines = logLines();
        return !lines.empty() && lines.back().rfind("qot7720_cmdInt32_Q \"*OPC?\"", 0) == 0;
    }));
    append("fail-next qot7720_cmd -4\n");
    EXPECT_EQ(cmd("*CLS"), -4);
    holder.join();
    EXPECT_EQ(held.load(), 0);
}

}  // namespace
}  // namespace simtest
