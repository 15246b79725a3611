#pragma once
// The state one simulated library shares between its threads, and the steps
// every call takes: log it, wait out a hold, apply an injected failure. One
// mutex guards everything; long waits (holds, self test, calibration, FIFO
// reads) release it, and a device clear or reset ends them early.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>

#include "sim/answer_overrides.h"
#include "sim/call_log.h"
#include "sim/control_channel.h"
#include "sim/driver_behaviour.h"
#include "sim/fault_rules.h"
#include "sim/instrument.h"
#include "sim/log_line.h"
#include "sim/resource_list.h"
#include "sim/visa_sessions.h"

namespace sim {

constexpr std::chrono::milliseconds kDefaultTimeout{10000};

// What the driver keeps per open session.
struct DriverSession {
    bool errorQueryDetect = false;
    std::chrono::milliseconds timeout = kDefaultTimeout;
};

struct SimState {
    ResourceList resources;
    FaultRules faults;
    CallLog log;
    ControlChannel control;
    Instrument instrument;
    DriverBehaviour behaviour;
    AnswerOverrides answers;
    VisaSessions visaSessions;
    std::map<ViSession, DriverSession> driverSessions;
    ViSession lastDriverSession = 0;
};

class SimContext {
public:
    using Lock = std::unique_lock<std::mutex>;
    enum class WaitResult { Completed, TimedOut, Cleared };

    Lock lock() { return Lock(mutex_); }

    // Logs the call and applies the fault rules (a hold longer than the
    // time-out ends in a time-out). Returns the status the call must return at
    // once, or nothing to go on.
    std::optional<ViStatus> enter(Lock& lock, const LogLine& line, std::string_view text,
                                  std::chrono::milliseconds timeout);

    // Waits the instrument's time for an operation, bounded by the I/O
    // time-out; the lock is released meanwhile.
    WaitResult wait(Lock& lock, std::chrono::milliseconds duration,
                    std::chrono::milliseconds timeout);
    // One short wait for a condition that other calls or the clock may change.
    // False when a device clear came.
    bool pause(Lock& lock, std::chrono::milliseconds duration);
    // Ends every wait in progress (device clear, reset).
    void interruptWaits();

    SimState& state() { return state_; }
    // Runs at the start of every call, with the lock held (the control
    // channel's directives arrive this way).
    void setCallHook(std::function<void()> hook) { callHook_ = std::move(hook); }

private:
    std::mutex mutex_;
    std::condition_variable waits_;
    std::uint64_t clears_ = 0;  // guarded by mutex_
    SimState state_;
    std::function<void()> callHook_;
};

}  // namespace sim
