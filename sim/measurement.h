#pragma once
// The trigger system of one measurement (INIT .. done or ABORT). Time is not
// simulated by a thread: each call asks how many scans have become due since
// the last one, so nothing runs in the library between calls and unloading it
// never races a worker.

#include <chrono>
#include <optional>

namespace sim {

class Measurement {
public:
    using Clock = std::chrono::steady_clock;

    struct Plan {
        std::optional<Clock::duration> interval;  // paced scans (IMM, TIM); none: wait for triggers
        bool softwareTrigger = false;             // TRIG:IMM triggers (HOLD, BUS)
        long count = 1;                           // scans to take; 0 runs until ABORT
    };

    // False (and nothing changes) when a measurement is already running.
    bool start(const Plan& plan, Clock::time_point now);
    void abort() { running_ = false; }
    bool running() const { return running_; }
    // Running and producing scans by itself (the caller may wait for them).
    bool paced() const { return running_ && plan_.interval.has_value(); }

    // Scans completed by now that have not been counted yet.
    int takeDueScans(Clock::time_point now);
    // A software trigger; true when it was accepted (one scan is due at once).
    bool softwareTrigger();

private:
    static constexpr int kMostScansPerStep = 1000;

    void countScan();

    Plan plan_;
    bool running_ = false;
    long scansTaken_ = 0;
    Clock::time_point nextScan_{};
};

}  // namespace sim
