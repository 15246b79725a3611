#include "sim/value_spec.h"

#include <cctype>
#include <cmath>
#include <map>

#include "sim/scpi_error.h"
#include "sim/scpi_keyword.h"
#include "sim/text_util.h"

namespace sim {

namespace {

constexpr int kHighestTtlLine = 7;

// SCPI units: 'M' is milli except in MHZ and MOHM, where it means mega.
double unitMultiplier(const std::string& unit) {
    static const std::map<std::string, double> multipliers = {
        {"HZ", 1.0},  {"KHZ", 1e3},  {"MHZ", 1e6},  {"MAHZ", 1e6}, {"S", 1.0},
        {"MS", 1e-3}, {"US", 1e-6},  {"NS", 1e-9},  {"V", 1.0},    {"MV", 1e-3},
        {"UV", 1e-6}, {"KV", 1e3},   {"A", 1.0},    {"MA", 1e-3},  {"UA", 1e-6},
        {"OHM", 1.0}, {"KOHM", 1e3}, {"MOHM", 1e6}, {"PCT", 1e-2},
    };
    const auto found = multipliers.find(unit);
    if (found == multipliers.end()) {
        throw ScpiError{scpi::kDataTypeError};
    }
    return found->second;
}

bool isNumberChar(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '+' || c == '-' ||
           c == 'E' || c == 'e';
}

}  // namespace

double parseScpiNumber(std::string_view text) {
    const std::string value = toUpper(trim(text));
    std::size_t end = 0;
    while (end < value.size() && isNumberChar(value[end])) {
        ++end;
    }
    // An exponent letter directly before the unit ("5E" of "5EV") is not part of the number.
    while (end > 0 && value[end - 1] == 'E' && end < value.size()) {
        --end;
    }
    const auto number = parseReal(value.substr(0, end));
    if (!number || !std::isfinite(*number)) {
        throw ScpiError{scpi::kDataTypeError};
    }
    const std::string unit = trim(value.substr(end));
    return unit.empty() ? *number : *number * unitMultiplier(unit);
}

ValueSpec ValueSpec::text(std::string_view initial) {
    ValueSpec spec(Kind::Text);
    spec.initial_ = std::string(initial);
    return spec;
}

ValueSpec ValueSpec::choice(std::vector<std::string> keywords, std::string_view initial) {
    ValueSpec spec(Kind::Choice);
    spec.keywords_ = std::move(keywords);
    spec.initial_ = std::string(initial);
    return spec;
}

ValueSpec ValueSpec::boolean(bool initial) {
    ValueSpec spec(Kind::Boolean);
    spec.initial_ = initial ? "1" : "0";
    return spec;
}

ValueSpec ValueSpec::real(double initial, double minimum, double maximum) {
    ValueSpec spec(Kind::Real);
    spec.minimum_ = minimum;
    spec.maximum_ = maximum;
    spec.default_ = initial;
    spec.initial_ = formatReal(initial);
    return spec;
}

ValueSpec ValueSpec::integer(long initial, long minimum, long maximum) {
    ValueSpec spec(Kind::Integer);
    spec.minimum_ = static_cast<double>(minimum);
    spec.maximum_ = static_cast<double>(maximum);
    spec.default_ = static_cast<double>(initial);
    spec.initial_ = std::to_string(initial);
    return spec;
}

std::string ValueSpec::normalize(std::string_view sent) const {
    const std::string value = toUpper(trim(unquote(trim(sent))));
    switch (kind_) {
        case Kind::Text:
            return value;
        case Kind::Choice:
            return normalizeChoice(value);
        case Kind::Boolean:
            return normalizeBoolean(value);
        case Kind::Real:
        case Kind::Integer:
            return normalizeNumber(value);
    }
    return value;
}

std::string ValueSpec::normalizeChoice(const std::string& value) const {
    for (const auto& keyword : keywords_) {
        if (keyword.back() != '#') {
            if (keywordMatches(keyword, value)) {
                return keywordShortForm(keyword);
            }
            continue;
        }
        const std::string base = keyword.substr(0, keyword.size() - 1);
        const auto suffix = suffixedKeywordMatch(base, value);
        if (suffix && *suffix <= kHighestTtlLine) {
            return keywordShortForm(base) + std::to_string(*suffix);
        }
    }
    throw ScpiError{scpi::kIllegalParameterValue};
}

std::string ValueSpec::normalizeBoolean(const std::string& value) const {
    if (value == "ON") {
        return "1";
    }
    if (value == "OFF") {
        return "0";
    }
    const auto number = parseReal(value);
    if (!number) {
        throw ScpiError{scpi::kIllegalParameterValue};
    }
    return std::lround(*number) != 0 ? "1" : "0";
}

std::string ValueSpec::normalizeNumber(const std::string& value) const {
    double number = namedNumber(value);
    if (kind_ == Kind::Integer) {
        number = std::round(number);
    }
    if (number < minimum_ || number > maximum_) {
        throw ScpiError{scpi::kDataOutOfRange};
    }
    return kind_ == Kind::Integer ? std::to_string(std::lround(number)) : formatReal(number);
}

double ValueSpec::namedNumber(const std::string& value) const {
    if (value == "MIN" || value == "MINIMUM") {
        return minimum_;
    }
    if (value == "MAX" || value == "MAXIMUM") {
        return maximum_;
    }
    if (value == "DEF" || value == "DEFAULT") {
        return default_;
    }
    return parseScpiNumber(value);
}

}  // namespace sim
