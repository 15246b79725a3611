#include "sim/measurement.h"

namespace sim {

bool Measurement::start(const Plan& plan, Clock::time_point now) {
    if (running_) {
        return false;
    }
    plan_ = plan;
    running_ = true;
    scansTaken_ = 0;
    nextScan_ = now + plan_.interval.value_or(Clock::duration::zero());
    return true;
}

int Measurement::takeDueScans(Clock::time_point now) {
    int due = 0;
    while (paced() && nextScan_ <= now && due < kMostScansPerStep) {
        ++due;
        countScan();
        nextScan_ += *plan_.interval;
    }
    if (paced() && nextScan_ <= now) {
        nextScan_ = now + *plan_.interval;  // far behind: skip the scans nobody waited for
    }
    return due;
}

bool Measurement::softwareTrigger() {
    if (!running_ || !plan_.softwareTrigger) {
        return false;
    }
    countScan();
    return true;
}

void Measurement::countScan() {
    ++scansTaken_;
    if (plan_.count > 0 && scansTaken_ >= plan_.count) {
        running_ = false;
    }
}

}  // namespace sim
