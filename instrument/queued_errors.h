#pragma once
// While a thread holds a LeaveQueuedErrors, a live call of that thread whose
// one fault is the "error queued" status returns its answer instead of
// raising: the call itself went through, and the errors stay in the
// instrument's queue for whoever reads it there. Other threads, and every
// other status, are not affected.

class LeaveQueuedErrors {
public:
    LeaveQueuedErrors();
    ~LeaveQueuedErrors();
    LeaveQueuedErrors(const LeaveQueuedErrors&) = delete;
    LeaveQueuedErrors& operator=(const LeaveQueuedErrors&) = delete;

    // Whether a call has been let through with errors waiting since this
    // object was made.
    bool ErrorsLeft() const;

    // For the instrument, on the "error queued" status: true when the calling
    // thread leaves queued errors, which is then noted.
    static bool LetThrough();

private:
    bool outerLeaving_;
    bool outerLeft_;
};
