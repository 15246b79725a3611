#pragma once
// Waits on the user-interface thread for another thread without freezing the
// window: it keeps painting and its timers run, the wait cursor shows, and the
// operator's input waits until the wait is over. The event loop sleeps between
// looks, so the wait costs no processor time.

#include <functional>

namespace platform {

// Returns once `busy` is false.
void WaitWhile(const std::function<bool()>& busy);

}  // namespace platform
