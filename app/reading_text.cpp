#include "app/reading_text.h"

#include <charconv>
#include <chrono>
#include <cmath>

bool IsNoReading(double value) {
    return !std::isfinite(value) || std::fabs(value) >= kNoReading * 0.999;
}

std::string ShortestText(double value) {
    if (IsNoReading(value)) {
        return {};
    }
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::int64_t UtcNowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}
