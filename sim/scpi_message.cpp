#include "sim/scpi_message.h"

#include <algorithm>
#include <cctype>

#include "sim/scpi_error.h"
#include "sim/text_util.h"

namespace sim {

namespace {

std::vector<std::string> splitHeader(std::string_view header) {
    if (!header.empty() && header.front() == ':') {
        header.remove_prefix(1);
    }
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start <= header.size()) {
        const std::size_t end = std::min(header.find(':', start), header.size());
        const std::string_view word = header.substr(start, end - start);
        if (word.empty()) {
            throw ScpiError{scpi::kSyntaxError};
        }
        words.push_back(toUpper(word));
        start = end + 1;
    }
    return words;
}

// Splits at commas outside brackets and quotes: "(@100:103,105)" stays one parameter.
std::vector<std::string> splitParameters(std::string_view text) {
    std::vector<std::string> parameters;
    if (trim(text).empty()) {
        return parameters;
    }
    int depth = 0;
    char quote = '\0';
    std::string current;
    for (const char c : text) {
        if (quote != '\0') {
            quote = (c == quote) ? '\0' : quote;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        } else if (c == ',' && depth == 0) {
            parameters.push_back(trim(current));
            current.clear();
            continue;
        }
        if (depth < 0) {
            throw ScpiError{scpi::kSyntaxError};
        }
        current += c;
    }
    if (quote != '\0' || depth != 0) {
        throw ScpiError{scpi::kSyntaxError};
    }
    parameters.push_back(trim(current));
    for (const auto& parameter : parameters) {
        if (parameter.empty()) {
            throw ScpiError{scpi::kSyntaxError};
        }
    }
    return parameters;
}

}  // namespace

ScpiMessage parseScpiMessage(std::string_view text) {
    const std::string message = trim(text);
    ScpiMessage result;
    if (message.empty()) {
        return result;
    }
    std::size_t headerEnd = 0;
    while (headerEnd < message.size() &&
           !std::isspace(static_cast<unsigned char>(message[headerEnd]))) {
        ++headerEnd;
    }
    std::string_view header = std::string_view(message).substr(0, headerEnd);
    if (header.back() == '?') {
        result.query = true;
        header.remove_suffix(1);
    }
    result.headerWords = splitHeader(header);
    result.parameters = splitParameters(std::string_view(message).substr(headerEnd));
    return result;
}

}  // namespace sim
