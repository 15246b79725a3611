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

// SCPI units as powers of ten: 'M' is milli except in MHZ and MOHM, where it means mega.
int unitExponent(const std::string& unit) {
    static const std::map<std::string, int> exponents = {
        {"HZ", 0},  {"KHZ", 3}, {"MHZ", 6},  {"MAHZ", 6}, {"S", 0},    {"MS", -3}, {"US", -6},
        {"NS", -9}, {"V", 0},   {"MV", -3},  {"UV", -6},  {"KV", 3},   {"A", 0},   {"MA", -3},
        {"UA", -6}, {"OHM", 0}, {"KOHM", 3}, {"MOHM", 6}, {"PCT", -2},
    };
    const auto found = exponents.find(unit);
    if (found == exponents.end()) {
        throw ScpiError{scpi::kDataTypeError};
    }
    return found->second;
}

// Moves the unit into the number's exponent, so that 100US reads exactly as 100E-6.
std::string scaled(const std::string& number, int exponent) {
    if (exponent == 0) {
        return number;
    }
    const auto e = number.find('E');
    const auto written = e == std::string::npos ? 0 : parseInteger(number.substr(e + 1));
    if (!written) {
        throw ScpiError{scpi::kDataTypeError};
    }
    return number.substr(0, e) + "E" + std::to_string(*written + exponent);
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
    const std::string unit = trim(value.substr(end));
    const int exponent = unit.empty() ? 0 : unitExponent(unit);
    const auto number = parseReal(scaled(value.substr(0, end), exponent));
    if (!number || !std::isfinite(*number)) {
        throw ScpiError{scpi::kDataTypeError};
    }
    return *number;
}

ValueSpec ValueSpec::text(std::string_view initial) {
    ValueSpec rule(Kind::Text);
    rule.initial_ = std::string(initial);
    return rule;
}

ValueSpec ValueSpec::choice(std::vector<std::string> keywords, std::string_view initial) {
    ValueSpec rule(Kind::Choice);
    rule.keywords_ = std::move(keywords);
    rule.initial_ = std::string(initial);
    return rule;
}

ValueSpec ValueSpec::boolean(bool initial) {
    ValueSpec rule(Kind::Boolean);
    rule.initial_ = initial ? "1" : "0";
    return rule;
}

ValueSpec ValueSpec::real(double initial, double minimum, double maximum) {
    ValueSpec rule(Kind::Real);
    rule.minimum_ = minimum;
    rule.maximum_ = maximum;
    rule.default_ = initial;
    rule.initial_ = formatReal(initial);
    return rule;
}

ValueSpec ValueSpec::integer(long initial, long minimum, long maximum) {
    ValueSpec rule(Kind::Integer);
    rule.minimum_ = static_cast<double>(minimum);
    rule.maximum_ = static_cast<double>(maximum);
    rule.default_ = static_cast<double>(initial);
    rule.initial_ = std::to_string(initial);
    return rule;
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
