#include "sim/scpi_keyword.h"

#include <cctype>

#include "sim/text_util.h"

namespace sim {

std::string keywordShortForm(std::string_view keyword) {
    std::string result;
    for (const char c : keyword) {
        if (!std::islower(static_cast<unsigned char>(c))) {
            result += c;
        }
    }
    return result;
}

namespace {

// Compared in place: every message tries many keywords, and most fail at
// their first letter.
bool isShortForm(std::string_view keyword, std::string_view word) {
    std::size_t at = 0;
    for (const char c : keyword) {
        if (std::islower(static_cast<unsigned char>(c))) {
            continue;
        }
        if (at == word.size() || std::toupper(static_cast<unsigned char>(word[at])) !=
                                     std::toupper(static_cast<unsigned char>(c))) {
            return false;
        }
        ++at;
    }
    return at == word.size();
}

}  // namespace

bool keywordMatches(std::string_view keyword, std::string_view word) {
    return isShortForm(keyword, word) || equalsIgnoreCase(word, keyword);
}

std::optional<int> suffixedKeywordMatch(std::string_view keyword, std::string_view word) {
    std::size_t digitsStart = word.size();
    while (digitsStart > 0 && std::isdigit(static_cast<unsigned char>(word[digitsStart - 1]))) {
        --digitsStart;
    }
    const std::string_view digits = word.substr(digitsStart);
    if (digits.empty() || digits.size() > 3 ||
        !keywordMatches(keyword, word.substr(0, digitsStart))) {
        return std::nullopt;
    }
    const auto value = parseInteger(digits);
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

}  // namespace sim
