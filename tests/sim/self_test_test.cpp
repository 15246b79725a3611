// Self test and calibration: their time, their result, and the device clear
// that ends a self test from another thread.

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "tests/sim/driver_fixture.h"

namespace simtest {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

class SelfTestTest : public DriverTest {
protected:
    ViStatus runSelfTest() {
        message_.fill('\0');
        return api().selfTest(session_, &result_, message_.data());
    }

    ViInt16 result_ = -99;
    std::array<char, driver::kSelfTestMessageLength> message_{};
};

TEST_F(SelfTestTest, PassesByDefault) {
    EXPECT_EQ(runSelfTest(), 0);
    EXPECT_EQ(result_, 0);
    EXPECT_STREQ(message_.data(), "Self test passed");
}

TEST_F(SelfTestTest, TakesTheScenarioTimeAndResult) {
    control("self-test 120 3 \"Self test failed: A/D converter\"");
    const auto start = Clock::now();
    EXPECT_EQ(runSelfTest(), 0);
    EXPECT_GE(Clock::now() - start, milliseconds(120));
    EXPECT_EQ(result_, 3);
    EXPECT_STREQ(message_.data(), "Self test failed: A/D converter");
}

TEST_F(SelfTestTest, DeviceClearFromAnotherThreadEndsIt) {
    control("self-test 10000 0");
    std::atomic<ViStatus> status{1};
    const auto start = Clock::now();
    std::thread worker([&] { status = runSelfTest(); });
    ASSERT_TRUE(eventually([this] { return lastLogLine() == "qot7720_self_test"; }));
    EXPECT_EQ(status.load(), 1);
    EXPECT_EQ(api().dcl(session_), 0);
    worker.join();
    EXPECT_EQ(status.load(), kAbort);
    EXPECT_LT(Clock::now() - start, milliseconds(5000));
    EXPECT_NE(result_, 0);
}

TEST_F(SelfTestTest, LongerThanTheTimeoutTimesOut) {
    ASSERT_EQ(api().timeOut(session_, 40), 0);
    control("self-test 5000 0");
    const auto start = Clock::now();
    EXPECT_EQ(runSelfTest(), kTimeout);
    EXPECT_LT(Clock::now() - start, milliseconds(2000));
}

TEST_F(SelfTestTest, LongMessageIsCutToTheBuffer) {
    control("self-test 0 1 \"" + std::string(400, 'm') + "\"");
    std::array<char, 300> buffer{};
    buffer.fill('X');
    ViInt16 result = 0;
    ASSERT_EQ(api().selfTest(session_, &result, buffer.data()), 0);
    EXPECT_EQ(std::strlen(buffer.data()), driver::kSelfTestMessageLength - 1u);
    EXPECT_EQ(buffer[driver::kSelfTestMessageLength], 'X');
}

TEST_F(DriverTest, CalibrationAnswersItsResultAfterItsTime) {
    control("calibration 80 7");
    const auto start = Clock::now();
    EXPECT_EQ(integer("*CAL?"), 7);
    EXPECT_GE(Clock::now() - start, milliseconds(80));
    EXPECT_EQ(integer("STAT:QUES:COND?") & 256, 256);
    control("calibration 0 0");
    EXPECT_EQ(integer("*CAL?"), 0);
    EXPECT_EQ(integer("STAT:QUES:COND?") & 256, 0);
}

TEST_F(DriverTest, DeviceClearEndsACalibration) {
    control("calibration 10000 0");
    std::atomic<ViStatus> status{1};
    ViInt32 answer = -1;
    std::thread worker([&] { status = api().cmdInt32Q(session_, "*CAL?", &answer); });
    ASSERT_TRUE(eventually([this] { return lastLogLine() == "qot7720_cmdInt32_Q \"*CAL?\""; }));
    EXPECT_EQ(api().dcl(session_), 0);
    worker.join();
    EXPECT_EQ(status.load(), kAbort);
    EXPECT_EQ(answer, -1);
}

}  // namespace
}  // namespace simtest
