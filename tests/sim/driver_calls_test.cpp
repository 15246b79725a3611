// The driver calls beside SCPI: sessions, buffers, revisions, algorithms, threads.

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tests/sim/driver_fixture.h"

namespace simtest {
namespace {

TEST_F(DriverTest, CallsNeedAnOpenSession) {
    EXPECT_EQ(api().cmd(session_ + 100, "*RST"), visa::kErrorInvalidObject);
    ViInt32 answer = 0;
    EXPECT_EQ(api().cmdInt32Q(0, "*OPC?", &answer), visa::kErrorInvalidObject);
}

TEST_F(DriverTest, InitOpensOnlyResourcesOfTheScenario) {
    ViSession other = 99;
    EXPECT_EQ(api().init("GPIB0::9::INSTR", 0, 0, &other), visa::kErrorResourceNotFound);
    EXPECT_EQ(other, 0u);
    control("add-resource GPIB0::9::INSTR gpib \"QUORVALE-ORBANT,T7720,123,A.02\"");
    ASSERT_EQ(api().init("gpib0::9::instr", 1, 0, &other), 0);
    EXPECT_NE(other, session_);
    ViInt32 answer = 0;
    EXPECT_EQ(api().cmdInt32Q(other, "*OPC?", &answer), 0);
}

TEST_F(DriverTest, FailedInitLeavesNoSession) {
    control("fail-next qot7720_init 0xBFFF0011");
    ViSession other = 99;
    EXPECT_EQ(api().init("VXI0::24::INSTR", 0, 0, &other), visa::kErrorResourceNotFound);
    EXPECT_EQ(other, 0u);
}

TEST_F(DriverTest, InitWithIdentificationRefusesAnotherInstrument) {
    control("add-resource GPIB0::5::INSTR gpib \"OTHER-MAKER,DMM,1,1\"");
    ViSession other = 0;
    EXPECT_LT(api().init("GPIB0::5::INSTR", 1, 0, &other), 0);
    EXPECT_EQ(api().init("GPIB0::5::INSTR", 0, 0, &other), 0);
}

TEST_F(DriverTest, InitWithResetRestoresTheSettings) {
    ASSERT_EQ(cmd("INP:GAIN 8,(@100)"), 0);
    ViSession other = 0;
    ASSERT_EQ(api().init("VXI0::24::INSTR", 0, 0, &other), 0);
    EXPECT_EQ(text("INP:GAIN? (@100)"), "8");
    ASSERT_EQ(api().init("VXI0::24::INSTR", 0, 1, &other), 0);
    EXPECT_EQ(text("INP:GAIN? (@100)"), "1");
}

TEST_F(DriverTest, StringAnswersRespectTheBufferSize) {
    std::array<char, 16> buffer{};
    buffer.fill('X');
    ASSERT_EQ(api().cmdStringQ(session_, "*IDN?", 5, buffer.data()), 0);
    EXPECT_STREQ(buffer.data(), "QUOR");
    EXPECT_EQ(buffer[5], 'X');
    EXPECT_EQ(api().cmdStringQ(session_, "*IDN?", 0, buffer.data()), kParameter3);
}

TEST_F(DriverTest, RevisionQueryGivesTwoTexts) {
    std::array<char, driver::kRevisionLength> driverRevision{};
    std::array<char, driver::kRevisionLength> firmwareRevision{};
    ASSERT_EQ(api().revisionQuery(session_, driverRevision.data(), firmwareRevision.data()), 0);
    EXPECT_STREQ(driverRevision.data(), "QOT7720 simulated driver 1.0");
    EXPECT_STREQ(firmwareRevision.data(), "A.01.00");
    control("revision \"D 2.0\" \"B.02.00\"");
    ASSERT_EQ(api().revisionQuery(session_, driverRevision.data(), firmwareRevision.data()), 0);
    EXPECT_STREQ(driverRevision.data(), "D 2.0");
    EXPECT_STREQ(firmwareRevision.data(), "B.02.00");
}

TEST_F(DriverTest, AlgorithmsAreCheckedAndLogged) {
    EXPECT_EQ(api().downloadAlg(session_, "ALG1", 0, "/**/ O101 = I100;"), 0);
    EXPECT_EQ(lastLogLine(), "qot7720_downloadAlg \"ALG1\" 0 \"/**/ O101 = I100;\"");
    EXPECT_EQ(api().downloadAlg(session_, "FILTER", 0, "x"), kParameter2);
    EXPECT_EQ(api().downloadAlg(session_, "ALG33", 0, "x"), kParameter2);
    EXPECT_EQ(api().downloadAlg(session_, "ALG2", -1, "x"), kParameter3);
    const std::vector<double> values = {1.0, 2.5, -3.0};
    EXPECT_EQ(api().algArray(session_, "ALG1", "coef", values.data(), 3), 0);
    EXPECT_EQ(lastLogLine(), "qot7720_algArray \"ALG1\" \"coef\" 3 1 2.5 -3");
    EXPECT_NE(api().algArray(session_, "ALG1", "coef", nullptr, 3), 0);
}

TEST_F(DriverTest, TwoThreadsMayCallAtOnce) {
    std::atomic<int> failures{0};
    std::atomic<bool> stop{false};
    control("measure-ms 1");
    std::thread measuring([&] {
        std::vector<double> values(10);
        while (!stop) {
            cmd("INIT");
            failures += api().readCvtQ(session_, 10, 10, values.data()) != 0 ? 1 : 0;
            cmd("ABORT");
        }
    });
    for (int i = 0; i < 300; ++i) {
        ViInt32 answer = 0;
        failures += api().cmdInt32Q(session_, "STAT:OPER:COND?", &answer) != 0 ? 1 : 0;
        failures += cmd("INP:GAIN 8,(@100:163)") != 0 ? 1 : 0;
    }
    stop = true;
    measuring.join();
    control("reset");
    EXPECT_EQ(failures.load(), 0);
}

}  // namespace
}  // namespace simtest
