#pragma once
// Text handling of the live instrument: SCPI formatting with the C numeric
// locale (the instrument reads "0.5", never "0,5", whatever the operator's
// locale), trimming, and the integer, real and channel values of texts.

#include <string>

namespace scpi {

// printf-style formatting of any length: nothing is cut off.
[[gnu::format(printf, 1, 2)]] std::string Format(const char* format, ...);

// Leading and trailing blanks removed.
std::string Trimmed(const std::string& text);
// Trimmed and in upper case.
std::string TrimmedUpper(const std::string& text);

// The leading integer of `text` as C's strtol reads it; 0 when there is none.
long IntegerValue(const std::string& text);
// The leading real of `text`, read with a '.' decimal point; 0 when there is none.
double RealValue(const std::string& text);

// The instrument channel of a single-channel query: 0..63 become 100..163,
// 100..163 stay, anything else becomes 100.
long MappedChannel(const std::string& channel);

}  // namespace scpi
