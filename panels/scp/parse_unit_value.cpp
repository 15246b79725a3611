#include "panels/scp/parse_unit_value.h"

#include <cctype>
#include <cstddef>

#include "instrument/scpi_text.h"

namespace {

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(const std::string& text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

// The end of the leading decimal number that begins at `start`, or `start`
// when there is none. Only the decimal form is a number here: no "inf",
// "nan" or hexadecimal, which the operator does not mean to type.
std::size_t NumberEnd(const std::string& text, std::size_t start) {
    std::size_t at = start;
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
        return start;
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
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsSpace(text[first])) {
        ++first;
    }
    while (last > first && IsSpace(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
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

double SubmultipleScale(const std::string& rest, const char* milli, const char* micro,
                        const char* nano) {
    if (Contains(rest, milli)) {
        return 0.001;
    }
    if (Contains(rest, micro)) {
        return 1e-6;
    }
    return Contains(rest, nano) ? 1e-9 : 1.0;
}

double Scale(const std::string& rest, int kind) {
    switch (kind) {
        case unit_kind::kFrequency:
            return FrequencyScale(rest);
        case unit_kind::kTime:
            return SubmultipleScale(rest, "ms", "us", "ns");
        case unit_kind::kVoltage:
            return SubmultipleScale(rest, "mv", "uv", "nv");
        default:
            return 1.0;
    }
}

}  // namespace

UnitValue ParseUnitValue(const std::string& text, int kind) {
    std::size_t start = 0;
    while (start < text.size() && IsSpace(text[start])) {
        ++start;
    }
    const std::size_t end = NumberEnd(text, start);
    if (end == start) {
        return UnitValue{};
    }
    // Read with a '.' decimal point whatever the operator's locale.
    const double number = scpi::RealValue(text.substr(start, end - start));
    const std::string rest = Trimmed(text.substr(end));
    if (rest.empty()) {
        return UnitValue{number, false};
    }
    return UnitValue{number * Scale(rest, kind), false};
}
