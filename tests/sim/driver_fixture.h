#pragma once
// A test against the simulated driver: the simulator reset, a fresh call log,
// an open session with automatic error query on (as the front panel opens it).

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/sim/sim_library.h"

namespace simtest {

constexpr ViStatus kErrorQueued = driver::kInstrumentErrorQueued;
constexpr ViStatus kTimeout = driver::kTimeout;
constexpr ViStatus kAbort = static_cast<ViStatus>(0xBFFF0030u);
constexpr ViStatus kParameter2 = static_cast<ViStatus>(0xBFFC0002u);
constexpr ViStatus kParameter3 = static_cast<ViStatus>(0xBFFC0003u);
constexpr double kNoReading = 9.91e37;

// Reads every line of a file (empty when it does not exist).
std::vector<std::string> readLines(const std::string& path);

// Polls until the condition holds or the time is up; true when it held.
bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds limit = std::chrono::milliseconds(2000));

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const DriverApi& api() const { return driverApi(); }
    void control(const std::string& directive) const;

    ViStatus cmd(const std::string& command) const;
    // Successful queries; a failed one fails the test and gives an empty answer / 0.
    std::string text(const std::string& query) const;
    ViInt32 integer(const std::string& query) const;
    double real(const std::string& query) const;
    // The oldest queued error as "<code>,\"<message>\"".
    std::string nextError() const;
    std::vector<double> cvt(int first, int count) const;

    std::vector<std::string> logLines() const { return readLines(logPath_); }
    std::string lastLogLine() const;

    ViSession session_ = 0;
    std::string logPath_;
};

}  // namespace simtest
