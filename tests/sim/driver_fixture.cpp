#include "tests/sim/driver_fixture.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <thread>

namespace simtest {

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void DriverTest::SetUp() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "_" + test->name();
    std::replace(name.begin(), name.end(), '/', '_');
    logPath_ = ::testing::TempDir() + "sim_" + name + ".log";
    std::remove(logPath_.c_str());
    control("reset");
    control("log \"" + logPath_ + "\"");
    ASSERT_EQ(api().init("VXI0::24::INSTR", 0, 0, &session_), 0);
    ASSERT_EQ(api().errorQueryDetect(session_, 1), 0);
}

void DriverTest::TearDown() {
    control("log off");
    std::remove(logPath_.c_str());
}

void DriverTest::control(const std::string& directive) const {
    ASSERT_EQ(driverLibrary().control(directive), 0) << directive;
}

ViStatus DriverTest::cmd(const std::string& command) const {
    return api().cmd(session_, command.c_str());
}

std::string DriverTest::text(const std::string& query) const {
    std::array<char, 4096> answer{};
    const ViStatus status = api().cmdStringQ(session_, query.c_str(), answer.size(), answer.data());
    EXPECT_EQ(status, 0) << query;
    return status == 0 ? std::string(answer.data()) : std::string();
}

ViInt32 DriverTest::integer(const std::string& query) const {
    ViInt32 answer = 0;
    EXPECT_EQ(api().cmdInt32Q(session_, query.c_str(), &answer), 0) << query;
    return answer;
}

double DriverTest::real(const std::string& query) const {
    ViReal64 answer = 0.0;
    EXPECT_EQ(api().cmdReal64Q(session_, query.c_str(), &answer), 0) << query;
    return answer;
}

std::string DriverTest::nextError() const {
    ViInt32 code = 0;
    std::array<char, driver::kErrorQueryMessageLength> message{};
    EXPECT_EQ(api().errorQuery(session_, &code, message.data()), 0);
    return message.data();
}

std::vector<double> DriverTest::cvt(int first, int count) const {
    std::vector<double> values(static_cast<std::size_t>(count));
    EXPECT_EQ(api().readCvtQ(session_, static_cast<ViInt16>(first), static_cast<ViInt16>(count),
                             values.data()),
              0);
    return values;
}

std::string DriverTest::lastLogLine() const {
    const auto lines = logLines();
    return lines.empty() ? std::string() : lines.back();
}

}  // namespace simtest
