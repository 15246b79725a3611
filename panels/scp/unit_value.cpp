#include "panels/scp/unit_value.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::size_t SkipDigits(const std::string& text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

// The end of the decimal number that starts at `begin`, or `begin` when
// there is none. Only decimal forms count: "inf", "nan" and hexadecimal are
// not numbers an operator types for a setting.
std::size_t NumberEnd(const std::string& text, std::size_t begin) {
    std::size_t at = begin;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    const std::size_t integerEnd = SkipDigits(text, at);
    std::size_t end = integerEnd;
    bool digits = integerEnd > at;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        digits = digits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!digits) {
        return begin;
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) {
            end = exponentEnd;
        }
    }
    return end;
}

std::string Trimmed(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsSpace(text[begin])) {
        ++begin;
    }
    while (end > begin && IsSpace(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

struct UnitScale {
    const char* unit;
    double factor;
    bool contained;  // found anywhere in the rest, not only as the whole rest
};

// In the order they are tried; the first that matches wins.
constexpr UnitScale kFrequencyUnits[] = {
    {"GHz", 1e9, false}, {"MHz", 1e6, false}, {"kHz", 1e3, true}, {"Hz", 1.0, false}};
constexpr UnitScale kTimeUnits[] = {
    {"ms", 1e-3, true}, {"us", 1e-6, true}, {"ns", 1e-9, true}, {"s", 1.0, false}};
constexpr UnitScale kVoltageUnits[] = {
    {"mv", 1e-3, true}, {"uv", 1e-6, true}, {"nv", 1e-9, true}, {"v", 1.0, false}};

template <std::size_t N>
std::optional<double> ScaleIn(const UnitScale (&units)[N], const std::string& rest) {
    for (const UnitScale& unit : units) {
        if (unit.contained ? Contains(rest, unit.unit) : rest == unit.unit) {
            return unit.factor;
        }
    }
    return std::nullopt;
}

// The factor of the rest's unit; none for a rest that is no unit of the kind.
std::optional<double> Scale(const std::string& rest, int kind) {
    if (rest.empty()) {
        return 1.0;
    }
    switch (kind) {
        case kFrequency:
            return ScaleIn(kFrequencyUnits, rest);
        case kTime:
            return ScaleIn(kTimeUnits, rest);
        case kVoltage:
            return ScaleIn(kVoltageUnits, rest);
        default:
            return std::nullopt;
    }
}

}  // namespace

UnitValue ParseUnitValue(const std::string& text, int kind) {
    std::size_t begin = 0;
    while (begin < text.size() && IsSpace(text[begin])) {
        ++begin;
    }
    const std::size_t end = NumberEnd(text, begin);
    if (end == begin) {
        return {};
    }
    // from_chars takes no leading '+'.
    const std::size_t digits = text[begin] == '+' ? begin + 1 : begin;
    double number = 0.0;
    const auto result = std::from_chars(text.data() + digits, text.data() + end, number);
    if (result.ec != std::errc()) {
        return {};
    }
    const std::optional<double> scale = Scale(Trimmed(text.substr(end)), kind);
    // A number that overflows once scaled would reach the instrument as "inf".
    const double scaled = number * scale.value_or(1.0);
    if (!std::isfinite(scaled)) {
        return {};
    }
    return {scaled, false, !scale.has_value()};
}

std::string UnitNames(int kind) {
    switch (kind) {
        case kFrequency:
            return "Hz, kHz, MHz, GHz";
        case kTime:
            return "s, ms, us, ns";
        case kVoltage:
            return "v, mv, uv, nv";
        default:
            return std::string();
    }
}

std::string FormatG(double value, int precision) {
    // printf takes a negative precision as none given.
    const int digits = precision < 0 ? 6 : precision;
    // Sign, point, the digits and either an exponent or the leading zeros of
    // a small number (at most four before %g turns to the exponent form).
    std::string buffer(static_cast<std::size_t>(digits) + 16, '\0');
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, digits);
    buffer.resize(static_cast<std::size_t>(result.ptr - buffer.data()));
    return buffer;
}
