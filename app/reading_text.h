#pragma once
// How one current-value-table reading reads as text, wherever it is shown or
// written: the grid, copies and recordings. SCPI's "no reading", 9.91e37,
// is no value: "----" in the grid, an empty field in copies and files.
// Qt-free.

#include <cstdint>
#include <string>

constexpr double kNoReading = 9.91e37;
constexpr const char* kNoReadingText = "----";

// True for 9.91e37, also as it comes back through single precision, and for
// NaN. The overload values +-9.9e37 are readings and stay numbers.
bool IsNoReading(double value);

// "%g" of the value, or kNoReadingText for no reading: the grid's text.
std::string ReadingText(double value);

// The shortest text that reads back to the same double; empty for "no reading".
std::string ShortestText(double value);
// The same appended to `into`: a recording's row takes ten values at a time.
void AppendShortestText(std::string& into, double value);

// Milliseconds since 1970 UTC by the system clock: a reading's own time.
std::int64_t UtcNowMs();
