#include "instrument/scpi_text.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

#ifndef _WIN32
#include <locale.h>
#include <clocale>
#endif

namespace scpi {
namespace {

constexpr long kFirstChannel = 100;
constexpr long kLastChannel = 163;
constexpr long kChannelCount = 64;

#ifndef _WIN32
// The C locale, made once for the whole run.
locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

// The C numeric locale for the calling thread while the object lives. Qt sets
// the process locale from the environment, which may use a decimal comma.
class CNumericLocale {
public:
    CNumericLocale() {
        if (CLocale() != static_cast<locale_t>(0)) {
            previous_ = uselocale(CLocale());
        }
    }
    ~CNumericLocale() {
        if (previous_ != static_cast<locale_t>(0)) {
            uselocale(previous_);
        }
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    locale_t previous_ = static_cast<locale_t>(0);
};
#else
// The Windows C runtime keeps the "C" locale unless the program changes it.
struct CNumericLocale {};
#endif

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::string Format(const char* format, ...) {
    const CNumericLocale locale;
    va_list arguments;
    va_start(arguments, format);
    va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> buffer(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    std::vsnprintf(buffer.data(), buffer.size(), format, arguments);
    va_end(arguments);
    return std::string(buffer.data());
}

std::string Trimmed(const std::string& text) {
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string TrimmedUpper(const std::string& text) {
    std::string result = Trimmed(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return result;
}

long IntegerValue(const std::string& text) {
    return std::strtol(text.c_str(), nullptr, 10);
}

double RealValue(const std::string& text) {
    const CNumericLocale locale;
    return std::strtod(text.c_str(), nullptr);
}

long MappedChannel(const std::string& channel) {
    const long number = IntegerValue(channel);
    if (number >= 0 && number < kChannelCount) {
        return number + kFirstChannel;
    }
    if (number >= kFirstChannel && number <= kLastChannel) {
        return number;
    }
    return kFirstChannel;
}

}  // namespace scpi
