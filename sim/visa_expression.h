#pragma once
// VISA resource search expressions: '?' one character, '*' and '+' repeat the
// element before them, [...] and [^...] character sets, '\' escapes; case is
// ignored. "?*INSTR" finds every instrument resource.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// The names that match, in the given order; nothing when the expression is invalid.
std::optional<std::vector<std::string>> findMatching(std::string_view expression,
                                                     const std::vector<std::string>& names);

}  // namespace sim
