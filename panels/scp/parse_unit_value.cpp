#include "panels/scp/parse_unit_value.h"

#include <cctype>
#include <charconv>

namespace {

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\n\f\v";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

double FrequencyScale(const std::string& rest) {
    if (rest == "GHz") {
        return 1e9;
    }
    if (rest == "MHz") {
        return 1e6;
    }
    return Contains(rest, "kHz") ? 1e3 : 1.0;
}

double SubunitScale(const std::string& rest, const char* milli, const char* micro,
                    const char* nano) {
    if (Contains(rest, milli)) {
        return 1e-3;
    }
    if (Contains(rest, micro)) {
        return 1e-6;
    }
    return Contains(rest, nano) ? 1e-9 : 1.0;
}

double Scale(const std::string& rest, UnitKind kind) {
    switch (kind) {
        case UnitKind::Frequency:
            return FrequencyScale(rest);
        case UnitKind::Time:
            return SubunitScale(rest, "ms", "us", "ns");
        case UnitKind::Voltage:
            return SubunitScale(rest, "mv", "uv", "nv");
    }
    return 1.0;
}

// The longest leading decimal number, as strtod reads it, but always with a
// decimal point whatever the process locale says. Null when there is none.
const char* ReadNumber(const std::string& text, double& number) {
    const char* cursor = text.c_str();
    const char* const last = cursor + text.size();
    while (cursor != last && std::isspace(static_cast<unsigned char>(*cursor)) != 0) {
        ++cursor;
    }
    if (cursor != last && *cursor == '+') {
        ++cursor;
        if (cursor != last && *cursor == '-') {
            return nullptr;
        }
    }
    const auto [end, error] = std::from_chars(cursor, last, number);
    return error == std::errc() ? end : nullptr;
}

}  // namespace

UnitValue ParseUnitValue(const std::string& text, UnitKind kind) {
    double number = 0.0;
    const char* end = ReadNumber(text, number);
    if (end == nullptr) {
        return {};
    }
    const std::string rest = Trimmed(std::string(end));
    if (rest.empty()) {
        return {number, false};
    }
    return {number * Scale(rest, kind), false};
}
