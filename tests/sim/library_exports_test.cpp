// What the built libraries export, and the environment a fresh load reads.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/sim/driver_fixture.h"

namespace simtest {
namespace {

const char* const kDriverExports[] = {
    "qot7720_init",
    "qot7720_timeOut",
    "qot7720_errorQueryDetect",
    "qot7720_cmd",
    "qot7720_cmdString_Q",
    "qot7720_cmdInt32_Q",
    "qot7720_cmdReal64_Q",
    "qot7720_readCVT_Q",
    "qot7720_readFifo_Q",
    "qot7720_readFifoFast_Q",
    "qot7720_self_test",
    "qot7720_error_query",
    "qot7720_error_message",
    "qot7720_dcl",
    "qot7720_downloadAlg",
    "qot7720_algArray",
    "qot7720_sim_control",
};

TEST(LibraryExports, DriverWithoutRevisionLacksOnlyThatExport) {
    const SimLibrary library(libraryPath("libqot7720_32_norevision.so"));
    for (const char* name : kDriverExports) {
        EXPECT_TRUE(library.exports(name)) << name;
    }
    EXPECT_FALSE(library.exports("qot7720_revision_query"));
    EXPECT_TRUE(driverLibrary().exports("qot7720_revision_query"));
}

TEST(LibraryExports, LibrariesExportTheirInterfaceOnly) {
    EXPECT_TRUE(visaLibrary().exports("qot7720_sim_control"));
    EXPECT_TRUE(visaLibrary().exports("viOpenDefaultRM"));
    EXPECT_FALSE(visaLibrary().exports("qot7720_cmd"));
    EXPECT_FALSE(driverLibrary().exports("viOpen"));
    EXPECT_FALSE(driverLibrary().exports("_ZN3sim9Simulator8instanceEv"));
}

// A copy of the driver library is a fresh load with its own simulator, so the
// environment it reads on its first call is the one set here.
class FreshLoad : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string base = ::testing::TempDir() + "sim_fresh_load";
        copyPath_ = base + ".so";
        scenarioPath_ = base + "_scenario.txt";
        logPath_ = base + ".log";
        std::remove(logPath_.c_str());
        std::ifstream source(libraryPath("libqot7720_32.so"), std::ios::binary);
        std::ofstream(copyPath_, std::ios::binary) << source.rdbuf();
        std::ofstream(scenarioPath_) << "# one GPIB instrument, and a timeOut that fails once\n"
                                        "add-resource GPIB0::9::INSTR gpib "
                                        "\"QUORVALE-ORBANT,T7720,1,A.02\"\n"
                                        "\n"
                                        "fail-next qot7720_timeOut 0xBFFF0015   # at start-up\n";
        setenv("QOT7720_SIM_SCENARIO", scenarioPath_.c_str(), 1);
        setenv("QOT7720_SIM_LOG", logPath_.c_str(), 1);
    }

    void TearDown() override {
        unsetenv("QOT7720_SIM_SCENARIO");
        unsetenv("QOT7720_SIM_LOG");
        std::remove(copyPath_.c_str());
        std::remove(scenarioPath_.c_str());
        std::remove(logPath_.c_str());
    }

    std::string copyPath_;
    std::string scenarioPath_;
    std::string logPath_;
};

TEST_F(FreshLoad, ReadsScenarioAndLogFromTheEnvironment) {
    const SimLibrary library(copyPath_);
    const DriverApi api(library);
    ViSession session = 0;
    ASSERT_EQ(api.init("GPIB0::9::INSTR", 1, 0, &session), 0);
    EXPECT_EQ(api.timeOut(session, 1000), driver::kTimeout);
    EXPECT_EQ(api.timeOut(session, 1000), 0);
    EXPECT_EQ(readLines(logPath_),
              (std::vector<std::string>{"qot7720_init \"GPIB0::9::INSTR\" 1 0",
                                        "qot7720_timeOut 1000", "qot7720_timeOut 1000"}));
    // Reset goes back to the start of the run: the scenario applies again.
    ASSERT_EQ(library.control("reset"), 0);
    EXPECT_EQ(api.timeOut(session, 1000), driver::kTimeout);
    ASSERT_EQ(api.init("GPIB0::9::INSTR", 0, 0, &session), 0);
}

}  // namespace
}  // namespace simtest
