#include "sim/fault_rules.h"

#include <algorithm>

#include "sim/text_util.h"

namespace sim {

bool FaultRules::matches(const std::string& pattern, const CallInfo& call) {
    if (pattern == "*" || pattern == call.function) {
        return true;
    }
    return !call.text.empty() && startsWithIgnoreCase(call.text, pattern);
}

void FaultRules::failNext(std::string pattern, ViStatus status) {
    failures_.push_back(Failure{std::move(pattern), status, true});
}

void FaultRules::failEvery(std::string pattern, ViStatus status) {
    failures_.push_back(Failure{std::move(pattern), status, false});
}

void FaultRules::holdNext(std::string pattern, std::chrono::milliseconds time) {
    holds_.push_back(Hold{std::move(pattern), time});
}

void FaultRules::stopFailing(const std::optional<std::string>& pattern) {
    if (!pattern) {
        failures_.clear();
        return;
    }
    failures_.erase(std::remove_if(failures_.begin(), failures_.end(),
                                   [&](const Failure& f) { return f.pattern == *pattern; }),
                    failures_.end());
}

void FaultRules::clear() {
    failures_.clear();
    holds_.clear();
}

// One-shot rules come first, so a fail-next still bites while a fail-match is in force.
std::optional<ViStatus> FaultRules::takeFailure(const CallInfo& call) {
    for (const bool once : {true, false}) {
        const auto found = std::find_if(failures_.begin(), failures_.end(), [&](const Failure& f) {
            return f.once == once && matches(f.pattern, call);
        });
        if (found == failures_.end()) {
            continue;
        }
        const ViStatus status = found->status;
        if (once) {
            failures_.erase(found);
        }
        return status;
    }
    return std::nullopt;
}

std::optional<std::chrono::milliseconds> FaultRules::takeHold(const CallInfo& call) {
    const auto found = std::find_if(holds_.begin(), holds_.end(),
                                    [&](const Hold& h) { return matches(h.pattern, call); });
    if (found == holds_.end()) {
        return std::nullopt;
    }
    const auto time = found->time;
    holds_.erase(found);
    return time;
}

}  // namespace sim
