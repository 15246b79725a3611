#pragma once
// How the simulated driver answers the calls that are not SCPI: self test,
// calibration time and revision texts. A scenario changes them.

#include <chrono>
#include <string>

namespace sim {

struct DriverBehaviour {
    std::chrono::milliseconds selfTestTime{50};
    int selfTestResult = 0;
    std::string selfTestMessage = "Self test passed";
    std::chrono::milliseconds calibrationTime{50};
    std::string driverRevision = "QOT7720 simulated driver 1.0";
    std::string firmwareRevision = "A.01.00";
};

}  // namespace sim
