#pragma once
// How one current-value-table reading reads as text, wherever it is shown or
// written: the grid, copies and recordings. SCPI's "no reading", 9.91e37,
// is no value and reads "----", never as a number.

#include <string>

constexpr double kNoReading = 9.91e37;
constexpr const char* kNoReadingText = "----";

// True for 9.91e37, also as it comes back through single precision, and for
// NaN. The overload values +-9.9e37 are readings and stay numbers.
bool IsNoReading(double value);

// "%g" of the value, or kNoReadingText for no reading.
std::string ReadingText(double value);
