#include "sim/sim_context.h"

#include <algorithm>

#include "instrument/driver_api.h"
#include "sim/sim_status.h"

namespace sim {

std::optional<ViStatus> SimContext::enter(Lock& lock, const LogLine& line, std::string_view text,
                                          std::chrono::milliseconds timeout) {
    if (callHook_) {
        callHook_();
    }
    state_.log.write(line.str());
    const std::string_view function = std::string_view(line.str()).substr(0, line.str().find(' '));
    const CallInfo call{function, text};
    if (const auto hold = state_.faults.takeHold(call)) {
        const WaitResult result = wait(lock, *hold, timeout);
        if (result != WaitResult::Completed) {
            return result == WaitResult::TimedOut ? driver::kTimeout : kErrorAbort;
        }
    }
    return state_.faults.takeFailure(call);
}

SimContext::WaitResult SimContext::wait(Lock& lock, std::chrono::milliseconds duration,
                                        std::chrono::milliseconds timeout) {
    const std::uint64_t clearsBefore = clears_;
    const auto limit = std::min(duration, timeout);
    if (waits_.wait_for(lock, limit, [&] { return clears_ != clearsBefore; })) {
        return WaitResult::Cleared;
    }
    return duration > timeout ? WaitResult::TimedOut : WaitResult::Completed;
}

bool SimContext::pause(Lock& lock, std::chrono::milliseconds duration) {
    const std::uint64_t clearsBefore = clears_;
    return !waits_.wait_for(lock, duration, [&] { return clears_ != clearsBefore; });
}

void SimContext::interruptWaits() {
    ++clears_;
    waits_.notify_all();
}

}  // namespace sim
