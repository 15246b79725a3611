#include "app/reading_text.h"

#include <charconv>
#include <chrono>
#include <cmath>

namespace {

// Single precision holds 9.91e37 to about 6e-8 of itself; 9.9e37 lies 1e-3 away.
constexpr double kNoReadingTolerance = 1e-6;

}  // namespace

bool IsNoReading(double value) {
    return std::isnan(value) || std::fabs(value - kNoReading) <= kNoReading * kNoReadingTolerance;
}

std::string ReadingText(double value) {
    if (IsNoReading(value)) {
        return kNoReadingText;
    }
    // What "%g" writes, without printf's format parsing: ten of these a cycle.
    char text[32];
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    return std::string(text, written.ptr);
}

std::string ShortestText(double value) {
    std::string text;
    AppendShortestText(text, value);
    return text;
}

void AppendShortestText(std::string& into, double value) {
    if (IsNoReading(value)) {
        return;
    }
    char text[32];
    into.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::int64_t UtcNowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}
