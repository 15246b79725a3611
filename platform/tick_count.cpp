#include "platform/tick_count.h"

#include <atomic>
#include <chrono>

namespace platform {
namespace {
std::atomic<std::uint32_t> advanced{0};
}

std::uint32_t TickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return static_cast<std::uint32_t>(ms) + advanced.load();
}

void AdvanceTickCount(std::uint32_t milliseconds) {
    advanced.fetch_add(milliseconds);
}

}  // namespace platform
