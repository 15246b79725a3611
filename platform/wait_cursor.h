#pragma once
// The hourglass while the program is busy; restored on scope exit.

namespace platform {

class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    // Shows the wait cursor again without opening a further wait period
    // (after something else changed the cursor).
    static void Restore();
};

}  // namespace platform
