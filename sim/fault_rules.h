#pragma once
// Faults a scenario injects into calls. A pattern picks calls: "*" takes
// every call, a function name takes that function's calls, any other pattern
// takes calls whose text (SCPI command, resource name, written bytes) begins
// with it, ignoring case.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "instrument/visa_api.h"

namespace sim {

struct CallInfo {
    std::string_view function;
    std::string_view text;
};

class FaultRules {
public:
    static bool matches(const std::string& pattern, const CallInfo& call);

    void failNext(std::string pattern, ViStatus status);
    void failEvery(std::string pattern, ViStatus status);
    void holdNext(std::string pattern, std::chrono::milliseconds time);
    // Removes the failure rules (of one pattern, or all); holds stay.
    void stopFailing(const std::optional<std::string>& pattern);
    void clear();

    // The status the call must fail with; a one-shot rule is used up.
    std::optional<ViStatus> takeFailure(const CallInfo& call);
    // How long the call must be held; the hold is used up.
    std::optional<std::chrono::milliseconds> takeHold(const CallInfo& call);

private:
    struct Failure {
        std::string pattern;
        ViStatus status;
        bool once;
    };
    struct Hold {
        std::string pattern;
        std::chrono::milliseconds time;
    };

    std::vector<Failure> failures_;
    std::vector<Hold> holds_;
};

}  // namespace sim
