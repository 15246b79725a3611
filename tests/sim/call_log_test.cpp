// The call log: one exact line per driver or VISA call, readable while the
// libraries are loaded.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "tests/sim/driver_fixture.h"

namespace simtest {
namespace {

struct LogRow {
    const char* line;
    std::function<void(const DriverApi&, ViSession)> call;
};

std::vector<LogRow> driverRows() {
    return {
        {"qot7720_cmd \"INP:GAIN 8,(@100:103)\"",
         [](const DriverApi& api, ViSession s) { api.cmd(s, "INP:GAIN 8,(@100:103)"); }},
        {"qot7720_cmd \"SAY \\\"HI\\\"\\n\"",
         [](const DriverApi& api, ViSession s) { api.cmd(s, "SAY \"HI\"\n"); }},
        {"qot7720_cmd NULL", [](const DriverApi& api, ViSession s) { api.cmd(s, nullptr); }},
        {"qot7720_cmdString_Q \"OUTP:TTLT:SOUR? \" 256",
         [](const DriverApi& api, ViSession s) {
             std::array<char, 256> answer{};
             api.cmdStringQ(s, "OUTP:TTLT:SOUR? ", 256, answer.data());
         }},
        {"qot7720_cmdInt32_Q \"STAT:OPER:COND?\"",
         [](const DriverApi& api, ViSession s) {
             ViInt32 answer = 0;
             api.cmdInt32Q(s, "STAT:OPER:COND?", &answer);
         }},
        {"qot7720_cmdReal64_Q \"TRIG:TIMER?\"",
         [](const DriverApi& api, ViSession s) {
             ViReal64 answer = 0;
             api.cmdReal64Q(s, "TRIG:TIMER?", &answer);
         }},
        {"qot7720_readCVT_Q 10 10",
         [](const DriverApi& api, ViSession s) {
             std::array<double, 10> values{};
             api.readCvtQ(s, 10, 10, values.data());
         }},
        {"qot7720_readFifo_Q 0 0",
         [](const DriverApi& api, ViSession s) {
             std::array<double, 1> values{};
             api.readFifoQ(s, 0, 0, values.data());
         }},
        {"qot7720_readFifoFast_Q 0",
         [](const DriverApi& api, ViSession s) {
             std::array<double, 1> values{};
             api.readFifoFastQ(s, 0, values.data());
         }},
        {"qot7720_timeOut 600000",
         [](const DriverApi& api, ViSession s) { api.timeOut(s, 600000); }},
        {"qot7720_errorQueryDetect 1",
         [](const DriverApi& api, ViSession s) { api.errorQueryDetect(s, 1); }},
        {"qot7720_self_test",
         [](const DriverApi& api, ViSession s) {
             ViInt16 result = 0;
             std::array<char, 256> message{};
             api.selfTest(s, &result, message.data());
         }},
        {"qot7720_error_query",
         [](const DriverApi& api, ViSession s) {
             ViInt32 code = 0;
             std::array<char, 512> message{};
             api.errorQuery(s, &code, message.data());
         }},
        {"qot7720_error_message 0xBFFF0015",
         [](const DriverApi& api, ViSession s) {
             std::array<char, 256> message{};
             api.errorMessage(s, static_cast<ViStatus>(0xBFFF0015u), message.data());
         }},
        {"qot7720_dcl", [](const DriverApi& api, ViSession s) { api.dcl(s); }},
        {"qot7720_downloadAlg \"ALG2\" 1024 \"/**/\\n\\tO100 = 1;\"",
         [](const DriverApi& api, ViSession s) {
             api.downloadAlg(s, "ALG2", 1024, "/**/\n\tO100 = 1;");
         }},
        {"qot7720_algArray \"ALG2\" \"table\" 2 0.1 1E+20",
         [](const DriverApi& api, ViSession s) {
             const std::array<double, 2> values = {0.1, 1e20};
             api.algArray(s, "ALG2", "table", values.data(), 2);
         }},
        {"qot7720_revision_query",
         [](const DriverApi& api, ViSession s) {
             std::array<char, 256> a{};
             std::array<char, 256> b{};
             api.revisionQuery(s, a.data(), b.data());
         }},
        {"qot7720_init \"VXI0::24::INSTR\" 0 1",
         [](const DriverApi& api, ViSession) {
             ViSession other = 0;
             api.init("VXI0::24::INSTR", 0, 1, &other);
         }},
    };
}

TEST_F(DriverTest, EveryDriverCallLogsOneExactLine) {
    for (const LogRow& row : driverRows()) {
        const std::size_t before = logLines().size();
        row.call(api(), session_);
        const auto lines = logLines();
        ASSERT_EQ(lines.size(), before + 1) << row.line;
        EXPECT_EQ(lines.back(), row.line);
    }
}

TEST_F(DriverTest, LogStartsWithTheSessionOpening) {
    const auto lines = logLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "qot7720_init \"VXI0::24::INSTR\" 0 0");
    EXPECT_EQ(lines[1], "qot7720_errorQueryDetect 1");
}

TEST_F(DriverTest, FailedAndHeldCallsAreLoggedToo) {
    control("fail-next qot7720_cmd -1");
    cmd("*RST");
    EXPECT_EQ(lastLogLine(), "qot7720_cmd \"*RST\"");
}

TEST_F(DriverTest, LogOffStopsLogging) {
    control("log off");
    cmd("*RST");
    EXPECT_EQ(lastLogLine(), "qot7720_errorQueryDetect 1");
}

TEST_F(DriverTest, BothLibrariesLogToOneFileInCallOrder) {
    ASSERT_EQ(visaLibrary().control("log \"" + logPath_ + "\""), 0);
    ViSession manager = 0;
    ASSERT_EQ(visaApi().openDefaultRm(&manager), 0);
    cmd("*CLS");
    ASSERT_EQ(visaApi().close(manager), 0);
    ASSERT_EQ(visaLibrary().control("log off"), 0);
    const auto lines = logLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "viOpenDefaultRM");
    EXPECT_EQ(lines[lines.size() - 2], "qot7720_cmd \"*CLS\"");
    EXPECT_EQ(lines[lines.size() - 1], "viClose " + std::to_string(manager));
}

}  // namespace
}  // namespace simtest
