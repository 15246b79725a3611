// Measurements: INIT, the trigger sources, the CVT and the FIFO they fill.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "tests/sim/driver_fixture.h"

namespace simtest {
namespace {

using std::chrono::milliseconds;

constexpr int kMeasuring = 16;
constexpr int kFirstChannelElement = 10;
constexpr int kChannels = 64;

class MeasurementTest : public DriverTest {
protected:
    bool measuring() const { return (integer("STAT:OPER:COND?") & kMeasuring) != 0; }
    bool finishes() const {
        return eventually([this] { return !measuring(); });
    }
    ViInt32 fifoCount() const { return integer("SENS:DATA:FIFO:COUN?"); }
    // One scan by hand: HOLD, INIT, TRIG:IMM.
    void scanOnce() {
        ASSERT_EQ(cmd("TRIG:SOUR HOLD"), 0);
        ASSERT_EQ(cmd("INIT"), 0);
        ASSERT_EQ(cmd("TRIG:IMM"), 0);
    }
};

TEST_F(MeasurementTest, ImmediateTriggerCompletesByItself) {
    control("measure-ms 300");
    ASSERT_EQ(cmd("INIT"), 0);
    EXPECT_TRUE(measuring());
    EXPECT_TRUE(finishes());
    EXPECT_NE(cvt(kFirstChannelElement, 1).front(), kNoReading);
}

TEST_F(MeasurementTest, HoldWaitsForTriggerImmediate) {
    ASSERT_EQ(cmd("TRIG:SOUR HOLD"), 0);
    ASSERT_EQ(cmd("INIT"), 0);
    std::this_thread::sleep_for(milliseconds(20));
    EXPECT_TRUE(measuring());
    EXPECT_EQ(cvt(kFirstChannelElement, 1).front(), kNoReading);
    ASSERT_EQ(cmd("TRIG:IMM"), 0);
    EXPECT_FALSE(measuring());
    EXPECT_NE(cvt(kFirstChannelElement, 1).front(), kNoReading);
}

TEST_F(MeasurementTest, AScenarioCanStartFromAnySetting) {
    control("scpi \"TRIG:SOUR HOLD\"");
    EXPECT_EQ(text("TRIG:SOUR?"), "HOLD");
    ASSERT_EQ(cmd("INIT"), 0);
    std::this_thread::sleep_for(milliseconds(20));
    EXPECT_TRUE(measuring()) << "a HOLD measurement waits for its trigger";
}

TEST_F(MeasurementTest, BusTakesOneScanPerTriggerUpToTheCount) {
    ASSERT_EQ(cmd("TRIG:SOUR BUS"), 0);
    ASSERT_EQ(cmd("TRIG:COUNT 3"), 0);
    ASSERT_EQ(cmd("INIT"), 0);
    ASSERT_EQ(cmd("TRIG:IMM"), 0);
    ASSERT_EQ(cmd("TRIG:IMM"), 0);
    EXPECT_TRUE(measuring());
    ASSERT_EQ(cmd("TRIG:IMM"), 0);
    EXPECT_FALSE(measuring());
    EXPECT_EQ(fifoCount(), 3 * kChannels);
}

TEST_F(MeasurementTest, TimerTriggerScansEveryTimerPeriod) {
    ASSERT_EQ(cmd("TRIG:SOUR TIM"), 0);
    ASSERT_EQ(cmd("TRIG:TIM 0.05"), 0);
    ASSERT_EQ(cmd("TRIG:COUNT 2"), 0);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(cmd("INIT"), 0);
    EXPECT_TRUE(measuring());
    ASSERT_TRUE(finishes());
    EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(100));
    EXPECT_EQ(fifoCount(), 2 * kChannels);
}

TEST_F(MeasurementTest, ExternalSourcesWaitUntilAbort) {
    for (const char* source : {"EXT", "TTLT2", "SCP"}) {
        ASSERT_EQ(cmd(std::string("TRIG:SOUR ") + source), 0);
        ASSERT_EQ(cmd("INIT"), 0);
        std::this_thread::sleep_for(milliseconds(20));
        EXPECT_TRUE(measuring()) << source;
        EXPECT_EQ(cmd("TRIG:IMM"), kErrorQueued) << source;
        EXPECT_EQ(nextError(), "-211,\"Trigger ignored\"");
        ASSERT_EQ(cmd("ABORT"), 0);
        EXPECT_FALSE(measuring()) << source;
    }
}

TEST_F(MeasurementTest, InitWhileMeasuringIsIgnored) {
    ASSERT_EQ(cmd("TRIG:SOUR HOLD"), 0);
    ASSERT_EQ(cmd("INIT"), 0);
    EXPECT_EQ(cmd("INIT"), kErrorQueued);
    EXPECT_EQ(nextError(), "-213,\"Init ignored\"");
}

TEST_F(MeasurementTest, OperationEventLatchesTheStartOfAMeasurement) {
    EXPECT_EQ(integer("STAT:OPER:EVEN?"), 0);
    scanOnce();
    EXPECT_EQ(integer("STAT:OPER:EVEN?"), kMeasuring);
    EXPECT_EQ(integer("STAT:OPER:EVEN?"), 0);
}

TEST_F(MeasurementTest, ContinuousInitiationRunsUntilSwitchedOff) {
    control("measure-ms 1");
    ASSERT_EQ(cmd("INIT:CONT ON"), 0);
    ASSERT_TRUE(eventually([this] { return fifoCount() >= 4 * kChannels; }));
    EXPECT_TRUE(measuring());
    ASSERT_EQ(cmd("INIT:CONT OFF"), 0);
    EXPECT_FALSE(measuring());
}

TEST_F(MeasurementTest, CvtChangesWithEveryScanAndHoldsOnlyChannelElements) {
    scanOnce();
    const std::vector<double> first = cvt(0, 80);
    scanOnce();
    const std::vector<double> second = cvt(0, 80);
    for (int element = 0; element < 80; ++element) {
        const bool channel =
            element >= kFirstChannelElement && element < kFirstChannelElement + kChannels;
        if (channel) {
            EXPECT_NE(first[element], second[element]) << element;
            EXPECT_LT(std::abs(first[element]), 3.0) << element;
        } else {
            EXPECT_EQ(second[element], kNoReading) << element;
        }
    }
    ASSERT_EQ(cmd("SENS:DATA:CVT:RESET"), 0);
    EXPECT_EQ(cvt(kFirstChannelElement, 1).front(), kNoReading);
}

TEST_F(MeasurementTest, SignalsRepeatForTheSameSeed) {
    scanOnce();
    const std::vector<double> first = cvt(kFirstChannelElement, kChannels);
    control("reset");
    scanOnce();
    EXPECT_EQ(cvt(kFirstChannelElement, kChannels), first);
    control("reset");
    control("seed 99");
    scanOnce();
    EXPECT_NE(cvt(kFirstChannelElement, kChannels), first);
}

TEST_F(MeasurementTest, FifoReadingsFollowTheScanList) {
    ASSERT_EQ(cmd("ROUT:SEQ:DEF LIST1,(@100:103)"), 0);
    scanOnce();
    EXPECT_EQ(fifoCount(), 4);
    const std::vector<double> table = cvt(kFirstChannelElement, 5);
    std::vector<double> fifo(4);
    ASSERT_EQ(api().readFifoQ(session_, 4, 4, fifo.data()), 0);
    EXPECT_EQ(fifo, std::vector<double>(table.begin(), table.begin() + 4));
    EXPECT_EQ(table[4], kNoReading);
    EXPECT_EQ(fifoCount(), 0);
}

TEST_F(MeasurementTest, FifoDirectiveSetsContentsThatReadsRemove) {
    control("fifo 1.5 2.5 3.5");
    EXPECT_EQ(fifoCount(), 3);
    std::vector<double> values(2);
    ASSERT_EQ(api().readFifoQ(session_, 2, 2, values.data()), 0);
    EXPECT_EQ(values, (std::vector<double>{1.5, 2.5}));
    EXPECT_EQ(fifoCount(), 1);
    ASSERT_EQ(cmd("SENS:DATA:FIFO:RESET"), 0);
    EXPECT_EQ(fifoCount(), 0);
}

TEST_F(MeasurementTest, FifoReadOfMoreThanWillComeTimesOut) {
    control("fifo 1 2");
    std::vector<double> values(3, -1.0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(api().readFifoQ(session_, 3, 3, values.data()), kTimeout);
    EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(500));
    EXPECT_EQ(values, (std::vector<double>(3, -1.0)));
    EXPECT_EQ(fifoCount(), 2);
}

TEST_F(MeasurementTest, FifoReadWaitsForARunningMeasurement) {
    control("measure-ms 5");
    ASSERT_EQ(cmd("TRIG:COUNT 4"), 0);
    ASSERT_EQ(cmd("INIT"), 0);
    std::vector<double> values(4 * kChannels);
    ASSERT_EQ(api().readFifoQ(session_, 4 * kChannels, 4 * kChannels, values.data()), 0);
    EXPECT_EQ(fifoCount(), 0);
}

TEST_F(MeasurementTest, FifoReadRespectsTheCallersCapacity) {
    control("fifo 1 2 3");
    std::vector<double> values(2);
    EXPECT_EQ(api().readFifoQ(session_, 3, 2, values.data()), kParameter3);
    EXPECT_EQ(fifoCount(), 3);
}

TEST_F(MeasurementTest, CvtReadsStayInsideTheTable) {
    std::vector<double> values(4);
    EXPECT_EQ(api().readCvtQ(session_, 511, 1, values.data()), 0);
    EXPECT_EQ(api().readCvtQ(session_, 510, 3, values.data()), kParameter3);
    EXPECT_EQ(api().readCvtQ(session_, -1, 1, values.data()), kParameter2);
    EXPECT_EQ(api().readCvtQ(session_, 0, 0, values.data()), kParameter3);
}

TEST_F(MeasurementTest, LimitFlagsMarkChannelsOutsideTheirLimits) {
    ASSERT_EQ(cmd("CALC:LIM:UPP:DATA -10,(@100,117)"), 0);
    ASSERT_EQ(cmd("CALC:LIM:UPP:STAT ON,(@100)"), 0);
    ASSERT_EQ(cmd("CALC:LIM ON,(@117)"), 0);
    ASSERT_EQ(cmd("CALC:LIM:LOW:DATA 10,(@163)"), 0);
    ASSERT_EQ(cmd("CALC:LIM:LOW:STAT ON,(@163)"), 0);
    scanOnce();
    EXPECT_EQ(text("CALC:CLIM:FLIM:CUM?"), "1,2,0,32768");
    ASSERT_EQ(cmd("INIT"), 0);
    EXPECT_EQ(text("CALC:CLIM:FLIM:CUM?"), "0,0,0,0");
}

TEST_F(MeasurementTest, TareShiftsOnlyTheTaredChannelsUntilReset) {
    scanOnce();
    const std::vector<double> plain = cvt(kFirstChannelElement, 2);
    control("reset");
    ASSERT_EQ(cmd("CAL:TARE (@100)"), 0);
    scanOnce();
    const std::vector<double> tared = cvt(kFirstChannelElement, 2);
    EXPECT_NE(tared[0], plain[0]);
    EXPECT_EQ(tared[1], plain[1]);
    control("reset");
    ASSERT_EQ(cmd("CAL:TARE (@100)"), 0);
    ASSERT_EQ(cmd("CAL:TARE:RESET"), 0);
    scanOnce();
    EXPECT_EQ(cvt(kFirstChannelElement, 2), plain);
}

}  // namespace
}  // namespace simtest
