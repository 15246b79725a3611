// Rejected commands end in the instrument's error queue; with automatic error
// query on, the call that left an error returns 0xBFFC0D07.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "tests/sim/driver_fixture.h"

namespace simtest {
namespace {

struct RejectedRow {
    const char* command;
    const char* error;
};

std::ostream& operator<<(std::ostream& out, const RejectedRow& row) {
    return out << row.command;
}

class RejectedCommand : public DriverTest, public ::testing::WithParamInterface<RejectedRow> {};

TEST_P(RejectedCommand, QueuesItsErrorAndChangesNothing) {
    const std::string before = text("INP:GAIN? (@100)");
    EXPECT_EQ(cmd(GetParam().command), kErrorQueued);
    EXPECT_EQ(nextError(), GetParam().error);
    EXPECT_EQ(nextError(), "+0,\"No error\"");
    EXPECT_EQ(text("INP:GAIN? (@100)"), before);
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, RejectedCommand,
    ::testing::Values(RejectedRow{"INP:GAN 8,(@100)", "-113,\"Undefined header\""},
                      RejectedRow{"INP::GAIN 8,(@100)", "-102,\"Syntax error\""},
                      RejectedRow{"INP:GAIN 8,(@100", "-102,\"Syntax error\""},
                      RejectedRow{"INP:GAIN 8", "-109,\"Missing parameter\""},
                      RejectedRow{"INP:GAIN 8,(@100),3", "-108,\"Parameter not allowed\""},
                      RejectedRow{"INP:GAIN abc,(@100)", "-104,\"Data type error\""},
                      RejectedRow{"INP:GAIN 8,100", "-104,\"Data type error\""},
                      RejectedRow{"INP:GAIN 8,(@99)", "-222,\"Data out of range\""},
                      RejectedRow{"INP:GAIN 8,(@100:164)", "-222,\"Data out of range\""},
                      RejectedRow{"INP:GAIN 1000,(@100)", "-222,\"Data out of range\""},
                      RejectedRow{"INP:LOW FLOATING,(@100)", "-224,\"Illegal parameter value\""},
                      RejectedRow{"TRIG:SOUR HOLDX", "-224,\"Illegal parameter value\""},
                      RejectedRow{"TRIG:SOUR TTLT9", "-224,\"Illegal parameter value\""},
                      RejectedRow{"TRIG:COUNT 70000", "-222,\"Data out of range\""},
                      RejectedRow{"SAMP:TIM 1", "-222,\"Data out of range\""},
                      RejectedRow{"ROUT:SEQ:DEF LIST7,(@100)", "-224,\"Illegal parameter value\""},
                      RejectedRow{"OUTP:TTLT9 ON", "-114,\"Header suffix out of range\""},
                      RejectedRow{"SENS:FUNC:STRAIN:XBEN (@100)",
                                  "-224,\"Illegal parameter value\""},
                      RejectedRow{"ALG:SCALAR 'ALG40','k',1", "-224,\"Illegal parameter value\""},
                      RejectedRow{"*RST 1", "-108,\"Parameter not allowed\""},
                      RejectedRow{"TRIG:IMM", "-211,\"Trigger ignored\""}));

TEST_F(DriverTest, ErrorsComeOutOldestFirst) {
    control("queue-error -222 \"Data out of range\"");
    control("queue-error 3012 \"Algorithm undefined\"");
    control("queue-error -350");
    EXPECT_EQ(nextError(), "-222,\"Data out of range\"");
    EXPECT_EQ(nextError(), "+3012,\"Algorithm undefined\"");
    EXPECT_EQ(nextError(), "-350,\"Queue overflow\"");
    EXPECT_EQ(nextError(), "+0,\"No error\"");
}

TEST_F(DriverTest, ErrorQueryReportsTheCode) {
    control("queue-error -113 \"Undefined header\"");
    ViInt32 code = 0;
    std::array<char, driver::kErrorQueryMessageLength> message{};
    ASSERT_EQ(api().errorQuery(session_, &code, message.data()), 0);
    EXPECT_EQ(code, -113);
    ASSERT_EQ(api().errorQuery(session_, &code, message.data()), 0);
    EXPECT_EQ(code, 0);
}

TEST_F(DriverTest, AnyQueuedErrorFailsTheNextCallUntilDrained) {
    control("queue-error -222 \"Data out of range\"");
    EXPECT_EQ(cmd("*OPC"), kErrorQueued);
    nextError();
    EXPECT_EQ(cmd("*OPC"), 0);
}

TEST_F(DriverTest, WithoutAutomaticErrorQueryCommandsSucceedAndQueriesTimeOut) {
    ASSERT_EQ(api().errorQueryDetect(session_, 0), 0);
    EXPECT_EQ(cmd("INP:GAN 8,(@100)"), 0);
    ViInt32 answer = 0;
    EXPECT_EQ(api().cmdInt32Q(session_, "STAT:OPER:CON?", &answer), kTimeout);
    EXPECT_EQ(nextError(), "-113,\"Undefined header\"");
    EXPECT_EQ(nextError(), "-113,\"Undefined header\"");
}

TEST_F(DriverTest, AFailedQueryWithAutomaticErrorQueryReportsTheError) {
    std::array<char, 256> answer{};
    EXPECT_EQ(api().cmdStringQ(session_, "INP:GAIN? (@170)", answer.size(), answer.data()),
              kErrorQueued);
    EXPECT_EQ(nextError(), "-222,\"Data out of range\"");
}

TEST_F(DriverTest, QueueKeepsThirtyEntriesAndMarksTheOverflow) {
    for (int i = 0; i < 40; ++i) {
        cmd("NO:SUCH:COMMAND");
    }
    for (int i = 0; i < 29; ++i) {
        ASSERT_EQ(nextError(), "-113,\"Undefined header\"") << i;
    }
    EXPECT_EQ(nextError(), "-350,\"Queue overflow\"");
    EXPECT_EQ(nextError(), "+0,\"No error\"");
}

TEST_F(DriverTest, StatusByteAndClearStatus) {
    ASSERT_EQ(api().errorQueryDetect(session_, 0), 0);
    EXPECT_EQ(integer("*STB?") & 4, 0);
    cmd("NO:SUCH:COMMAND");
    EXPECT_EQ(integer("*STB?") & 4, 4);
    EXPECT_EQ(integer("*ESR?") & 32, 32);  // command error
    ASSERT_EQ(cmd("*CLS"), 0);
    EXPECT_EQ(integer("*STB?"), 0);
    EXPECT_EQ(nextError(), "+0,\"No error\"");
}

TEST_F(DriverTest, SystemErrorQueryDrainsTheSameQueue) {
    ASSERT_EQ(api().errorQueryDetect(session_, 0), 0);
    control("queue-error -240 \"Calibration failed\"");
    EXPECT_EQ(text("SYST:ERR?"), "-240,\"Calibration failed\"");
    EXPECT_EQ(text("SYST:ERR?"), "+0,\"No error\"");
}

TEST_F(DriverTest, ErrorMessageKnowsTheStatusesItReturns) {
    std::array<char, driver::kErrorMessageLength> message{};
    for (const ViStatus status : {ViStatus{0}, kErrorQueued, kTimeout, kAbort, kParameter3,
                                  visa::kErrorResourceNotFound, visa::kErrorInvalidObject}) {
        message.fill('\0');
        EXPECT_EQ(api().errorMessage(session_, status, message.data()), 0) << status;
        EXPECT_GT(std::string(message.data()).size(), 3u) << status;
    }
    EXPECT_LT(api().errorMessage(session_, driver::kBusy, message.data()), 0);
    EXPECT_LT(api().errorMessage(session_, 0x12345, message.data()), 0);
}

}  // namespace
}  // namespace simtest
