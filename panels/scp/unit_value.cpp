#include "panels/scp/unit_value.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstddef>

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

double Scale(const std::string& rest, int kind) {
    switch (kind) {
        case kFrequency:
            if (rest == "GHz")
                return 1e9;
            if (rest == "MHz")
                return 1e6;
            if (Contains(rest, "kHz"))
                return 1e3;
            return 1.0;
        case kTime:
            if (Contains(rest, "ms"))
                return 1e-3;
            if (Contains(rest, "us"))
                return 1e-6;
            if (Contains(rest, "ns"))
                return 1e-9;
            return 1.0;
        case kVoltage:
            if (Contains(rest, "mv"))
                return 1e-3;
            if (Contains(rest, "uv"))
                return 1e-6;
            if (Contains(rest, "nv"))
                return 1e-9;
            return 1.0;
        default:
            return 1.0;
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
    // A number that overflows once scaled would reach the instrument as "inf".
    const double scaled = number * Scale(Trimmed(text.substr(end)), kind);
    if (!std::isfinite(scaled)) {
        return {};
    }
    return {scaled, false};
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
