#include "panels/algorithm/algorithm_text.h"

#include <QStringList>
#include <charconv>
#include <cmath>
#include <limits>

std::string BuildDownloadText(const QString& editorText) {
    std::string text = "/**/";
    for (const QString& line : editorText.split(QLatin1Char('\n'))) {
        text += line.toStdString();
        text += '\n';
    }
    return text;
}

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// from_chars reports a value beyond double's range without one; the
// standard conversion gives infinity for an overflow and zero for an underflow.
double OutOfRange(std::string_view number, bool negative) {
    const std::size_t exponent = number.find_first_of("eE");
    const bool underflow = exponent != std::string_view::npos && exponent + 1 < number.size() &&
                           number[exponent + 1] == '-';
    const double magnitude = underflow ? 0.0 : std::numeric_limits<double>::infinity();
    return negative ? -magnitude : magnitude;
}

}  // namespace

double LeadingNumber(std::string_view token) {
    std::size_t start = 0;
    while (start < token.size() && IsBlank(token[start])) {
        ++start;
    }
    bool negative = false;
    if (start < token.size() && (token[start] == '+' || token[start] == '-')) {
        negative = token[start] == '-';
        ++start;
    }
    const std::string_view number = token.substr(start);
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        return 0.0;  // a second sign: nothing fits
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        return OutOfRange(std::string_view(number.data(), end - number.data()), negative);
    }
    if (error != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

std::vector<double> SplitArrayValues(std::string_view text) {
    std::vector<double> values;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
        values.push_back(LeadingNumber(text.substr(start, end - start)));
        if (comma == std::string_view::npos) {
            return values;
        }
        start = comma + 1;
    }
}
