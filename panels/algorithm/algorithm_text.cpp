#include "panels/algorithm/algorithm_text.h"

#include <locale.h>
#include <QStringList>
#include <clocale>
#include <cstdlib>
#include <string>

std::string BuildDownloadText(const QString& editorText) {
    std::string text = "/**/";
    for (const QString& line : editorText.split(QLatin1Char('\n'))) {
        text += line.toStdString();
        text += '\n';
    }
    return text;
}

namespace {

// The C locale for strtod, made once: the operator's locale may use a
// decimal comma.
locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

}  // namespace

double LeadingNumber(std::string_view token) {
    // strtod itself: hexadecimal included, an overflow as +-HUGE_VAL and an
    // underflow as the value near zero it rounds to.
    const std::string text(token);
    return strtod_l(text.c_str(), nullptr, CLocale());
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
