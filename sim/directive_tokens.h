#pragma once
// Splitting a directive line into words: blanks separate words, double
// quotes keep blanks inside one word (with \" \\ \n \t escapes), and '#'
// outside quotes starts a comment.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "instrument/visa_api.h"

namespace sim {

// Nothing when a quote is left open.
std::optional<std::vector<std::string>> tokenizeDirective(std::string_view line);

// A status as 0xBFFF0015 or as a signed decimal.
std::optional<ViStatus> parseStatus(std::string_view text);

}  // namespace sim
