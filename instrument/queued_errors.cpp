#include "instrument/queued_errors.h"

namespace {

struct ThreadPolicy {
    bool leaving = false;
    bool left = false;
};
thread_local ThreadPolicy policy;

}  // namespace

LeaveQueuedErrors::LeaveQueuedErrors() : outerLeaving_(policy.leaving), outerLeft_(policy.left) {
    policy.leaving = true;
    policy.left = false;
}

// An enclosing holder also learns of the errors left inside this one.
LeaveQueuedErrors::~LeaveQueuedErrors() {
    policy.leaving = outerLeaving_;
    policy.left = outerLeft_ || policy.left;
}

bool LeaveQueuedErrors::ErrorsLeft() const {
    return policy.left;
}

bool LeaveQueuedErrors::LetThrough() {
    if (!policy.leaving) {
        return false;
    }
    policy.left = true;
    return true;
}
