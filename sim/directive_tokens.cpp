#include "sim/directive_tokens.h"

#include <cctype>
#include <cstdint>
#include <limits>

#include "sim/text_util.h"

namespace sim {

namespace {

char unescaped(char c) {
    switch (c) {
        case 'n':
            return '\n';
        case 't':
            return '\t';
        case 'r':
            return '\r';
        default:
            return c;
    }
}

}  // namespace

std::optional<std::vector<std::string>> tokenizeDirective(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        if (c == '#') {
            break;
        }
        std::string word;
        if (c == '"') {
            ++i;
            while (i < line.size() && line[i] != '"') {
                const bool escape = line[i] == '\\' && i + 1 < line.size();
                word += escape ? unescaped(line[++i]) : line[i];
                ++i;
            }
            if (i >= line.size()) {
                return std::nullopt;
            }
            ++i;
        } else {
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) {
                word += line[i++];
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::optional<ViStatus> parseStatus(std::string_view text) {
    const auto value = parseInteger(text);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<ViStatus>(static_cast<std::uint32_t>(*value));
}

}  // namespace sim
