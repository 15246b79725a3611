// Faults a test injects: failing calls, time-outs, held calls, fixed answers, reset.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/sim/driver_fixture.h"

namespace simtest {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

constexpr ViStatus kInjected = static_cast<ViStatus>(0xBFFF0015u);

TEST_F(DriverTest, FailNextFailsOneMatchingCall) {
    control("fail-next qot7720_cmd 0xBFFC0D07");
    ViInt32 answer = 0;
    EXPECT_EQ(api().cmdInt32Q(session_, "*OPC?", &answer), 0);  // another function
    EXPECT_EQ(cmd("*OPC"), kErrorQueued);
    EXPECT_EQ(cmd("*OPC"), 0);
}

TEST_F(DriverTest, FailedCallsHaveNoEffect) {
    control("fail-next \"INP:GAIN\" -5");
    EXPECT_EQ(cmd("INP:GAIN 8,(@100)"), -5);
    EXPECT_EQ(text("INP:GAIN? (@100)"), "1");
}

TEST_F(DriverTest, FailMatchFailsEveryMatchingCallUntilStopped) {
    control("fail-match \"INP:GAIN\" 0xBFFF0015");
    EXPECT_EQ(cmd("INP:GAIN 8,(@100)"), kInjected);
    EXPECT_EQ(cmd("inp:gain 8,(@101)"), kInjected);
    ViInt32 answer = 0;
    EXPECT_EQ(api().cmdInt32Q(session_, "INP:GAIN? (@100)", &answer), kInjected);
    EXPECT_EQ(cmd("INP:LOW WVOL,(@100)"), 0);
    control("stop-failing");
    EXPECT_EQ(cmd("INP:GAIN 8,(@100)"), 0);
}

TEST_F(DriverTest, StopFailingCanEndOnePattern) {
    control("fail-match \"INP:GAIN\" -1");
    control("fail-match \"INP:LOW\" -2");
    control("stop-failing \"INP:GAIN\"");
    EXPECT_EQ(cmd("INP:GAIN 8,(@100)"), 0);
    EXPECT_EQ(cmd("INP:LOW WVOL,(@100)"), -2);
}

TEST_F(DriverTest, FailNextStillBitesWhileAFailMatchHolds) {
    control("fail-match * -7");
    control("fail-next * -8");
    EXPECT_EQ(cmd("*OPC"), -8);
    EXPECT_EQ(cmd("*OPC"), -7);
}

TEST_F(DriverTest, TimeoutNextTimesOutOneCall) {
    control("timeout-next \"*OPC?\"");
    ViInt32 answer = 0;
    EXPECT_EQ(api().cmdInt32Q(session_, "*OPC?", &answer), kTimeout);
    EXPECT_EQ(api().cmdInt32Q(session_, "*OPC?", &answer), 0);
}

TEST_F(DriverTest, HeldCallLetsOtherThreadsIn) {
    control("hold-ms \"*OPC?\" 300");
    std::atomic<ViStatus> heldStatus{1};
    ViInt32 answer = 0;
    const auto start = Clock::now();
    std::thread held([&] { heldStatus = api().cmdInt32Q(session_, "*OPC?", &answer); });
    ASSERT_TRUE(eventually([this] { return lastLogLine() == "qot7720_cmdInt32_Q \"*OPC?\""; }));
    EXPECT_EQ(cmd("*CLS"), 0);
    EXPECT_EQ(heldStatus.load(), 1);  // still held
    held.join();
    EXPECT_EQ(heldStatus.load(), 0);
    EXPECT_EQ(answer, 1);
    EXPECT_GE(Clock::now() - start, milliseconds(300));
}

TEST_F(DriverTest, HoldLongerThanTheTimeoutTimesOut) {
    ASSERT_EQ(api().timeOut(session_, 30), 0);
    control("hold-ms qot7720_cmd 5000");
    const auto start = Clock::now();
    EXPECT_EQ(cmd("*OPC"), kTimeout);
    EXPECT_LT(Clock::now() - start, milliseconds(2000));
}

TEST_F(DriverTest, DeviceClearEndsAHeldCall) {
    control("hold-ms qot7720_cmd 5000");
    std::atomic<ViStatus> heldStatus{1};
    std::thread held([&] { heldStatus = cmd("*OPC"); });
    ASSERT_TRUE(eventually([this] { return lastLogLine() == "qot7720_cmd \"*OPC\""; }));
    EXPECT_EQ(api().dcl(session_), 0);
    held.join();
    EXPECT_EQ(heldStatus.load(), kAbort);
}

TEST_F(DriverTest, AnswerOverridesTheInstrument) {
    control("answer TRIG:SOUR? HOLD");
    control("answer \"INP:GAIN? (@105)\" 64");
    EXPECT_EQ(text("TRIG:SOUR?"), "HOLD");
    EXPECT_EQ(text("INP:GAIN? (@105)"), "64");
    EXPECT_EQ(text("INP:GAIN? (@104)"), "1");
    control("answer TRIG:SOUR?");
    EXPECT_EQ(text("TRIG:SOUR?"), "IMM");
}

TEST_F(DriverTest, AnswerThatIsNotANumberFailsTheTypedQuery) {
    control("answer CALC:AVER:COUN? lots");
    ViInt32 answer = 0;
    EXPECT_EQ(api().cmdInt32Q(session_, "CALC:AVER:COUN?", &answer),
              static_cast<ViStatus>(0xBFFC0012u));
}

TEST_F(DriverTest, ResetClearsFaultsSettingsAndResources) {
    control("fail-match qot7720_cmd -3");
    control("answer *IDN? nobody");
    control("add-resource GPIB0::9::INSTR gpib \"QUORVALE-ORBANT,T7720,1,A\"");
    ASSERT_EQ(text("*IDN?"), "nobody");
    ASSERT_EQ(cmd("INP:GAIN 8,(@100)"), -3);
    control("queue-error -100");
    control("reset");
    EXPECT_EQ(cmd("INP:GAIN 8,(@100)"), 0);
    EXPECT_EQ(text("*IDN?"), "QUORVALE-ORBANT,T7720,0,A.01.00");
    ViSession other = 0;
    EXPECT_EQ(api().init("GPIB0::9::INSTR", 0, 0, &other), visa::kErrorResourceNotFound);
    EXPECT_EQ(nextError(), "+0,\"No error\"");
    control("reset");
    EXPECT_EQ(text("INP:GAIN? (@100)"), "1");
}

TEST(DirectiveSyntax, ControlReportsUnknownAndMalformedDirectives) {
    const SimLibrary& library = driverLibrary();
    EXPECT_EQ(library.control("frobnicate"), -1);
    EXPECT_EQ(library.control("fail-next qot7720_cmd"), -2);
    EXPECT_EQ(library.control("fail-next qot7720_cmd 0xZZ"), -2);
    EXPECT_EQ(library.control("hold-ms x -4"), -2);
    EXPECT_EQ(library.control("add-resource X::INSTR warp"), -2);
    EXPECT_EQ(library.control("answer \"open"), -2);
    EXPECT_EQ(library.control("scenario /nonexistent/scenario.txt"), -3);
    EXPECT_EQ(library.control("  # only a comment"), 0);
    EXPECT_EQ(library.control("reset"), 0);
}

}  // namespace
}  // namespace simtest
