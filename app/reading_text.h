#pragma once
// How a reading is told apart from "no reading" and written as text, shared
// by the main panel's copy and the recorder. Qt-free.

#include <cstdint>
#include <string>

// The value the instrument gives for an element that holds no reading.
constexpr double kNoReading = 9.91e37;

// True for the "no reading" value (either sign) and for anything not finite.
bool IsNoReading(double value);

// The shortest text that reads back to the same double; empty for "no reading".
std::string ShortestText(double value);

// Milliseconds since 1970 UTC by the system clock: a reading's own time.
std::int64_t UtcNowMs();
