#pragma once
// SCPI keywords written in the usual notation: the upper-case letters are the
// short form, the whole word is the long form ("TRIGger" accepts TRIG and
// TRIGGER, in any case).

#include <optional>
#include <string>
#include <string_view>

namespace sim {

std::string keywordShortForm(std::string_view keyword);

// True when the word is the keyword's short or long form.
bool keywordMatches(std::string_view keyword, std::string_view word);

// For keywords that carry a numeric suffix ("TTLTrg" as in TTLT3): the suffix
// when the word is a form of the keyword followed by digits.
std::optional<int> suffixedKeywordMatch(std::string_view keyword, std::string_view word);

}  // namespace sim
