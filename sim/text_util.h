#pragma once
// Small text helpers. Numbers are parsed and printed without the C locale,
// because the host program may have switched it (a decimal comma would break
// every SCPI number).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

std::string trim(std::string_view text);
std::string toUpper(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
bool startsWithIgnoreCase(std::string_view text, std::string_view prefix);

// Removes one pair of matching single or double quotes around the text.
std::string unquote(std::string_view text);

// The whole text must be the number; a leading '+' is accepted.
std::optional<double> parseReal(std::string_view text);
// Decimal, or hexadecimal with a 0x prefix; the whole text must be the number.
std::optional<long long> parseInteger(std::string_view text);

// Shortest text that reads back as the same value ("0.001", "3E-05", "8"), SCPI style.
std::string formatReal(double value);
std::string formatHex(std::uint32_t value);

// Copies as much of the text as fits, always terminated (capacity counts the
// terminator); nothing is written when capacity is 0.
void copyTruncated(std::string_view text, char* buffer, std::size_t capacity);

}  // namespace sim
