#pragma once
// Millisecond tick count (wraps like a 32-bit counter). Tests may move it
// forward so that waits defined in milliseconds need no sleeping.

#include <cstdint>

namespace platform {

std::uint32_t TickCount();

// Adds `milliseconds` to every later TickCount(); for tests.
void AdvanceTickCount(std::uint32_t milliseconds);

// Unsigned difference now - since, correct across wrap-around.
inline std::uint32_t TicksSince(std::uint32_t since) {
    return TickCount() - since;
}

}  // namespace platform
