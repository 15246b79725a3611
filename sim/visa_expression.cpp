#include "sim/visa_expression.h"

#include <regex>

namespace sim {

namespace {

std::string toRegex(std::string_view expression) {
    static const std::string special = ".^$|(){}";
    std::string regex;
    bool inSet = false;
    for (std::size_t i = 0; i < expression.size(); ++i) {
        const char c = expression[i];
        if (c == '\\' && i + 1 < expression.size()) {
            regex += '\\';
            regex += expression[++i];
        } else if (inSet) {
            inSet = c != ']';
            regex += c;
        } else if (c == '?') {
            regex += '.';
        } else if (c == '[') {
            inSet = true;
            regex += c;
        } else {
            regex +=
                special.find(c) != std::string::npos ? std::string("\\") + c : std::string(1, c);
        }
    }
    return regex;
}

}  // namespace

std::optional<std::vector<std::string>> findMatching(std::string_view expression,
                                                     const std::vector<std::string>& names) {
    std::regex pattern;
    try {
        pattern = std::regex(toRegex(expression), std::regex::ECMAScript | std::regex::icase);
    } catch (const std::regex_error&) {
        return std::nullopt;
    }
    std::vector<std::string> found;
    for (const auto& name : names) {
        if (std::regex_match(name, pattern)) {
            found.push_back(name);
        }
    }
    return found;
}

}  // namespace sim
