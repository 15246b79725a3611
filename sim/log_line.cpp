#include "sim/log_line.h"

#include <array>
#include <cstdio>

#include "sim/text_util.h"

namespace sim {

namespace {

std::string escaped(char c) {
    switch (c) {
        case '"':
            return "\\\"";
        case '\\':
            return "\\\\";
        case '\n':
            return "\\n";
        case '\r':
            return "\\r";
        case '\t':
            return "\\t";
        default:
            break;
    }
    const auto code = static_cast<unsigned char>(c);
    if (code >= 0x20 && code < 0x7F) {
        return std::string(1, c);
    }
    std::array<char, 8> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "\\x%02X", static_cast<unsigned>(code));
    return buffer.data();
}

}  // namespace

LogLine& LogLine::text(const char* value) {
    if (value == nullptr) {
        line_ += " NULL";
        return *this;
    }
    appendQuoted(value);
    return *this;
}

LogLine& LogLine::bytes(const unsigned char* data, std::size_t count) {
    if (data == nullptr) {
        line_ += " NULL";
        return *this;
    }
    appendQuoted(std::string_view(reinterpret_cast<const char*>(data), count));
    return *this;
}

LogLine& LogLine::number(long long value) {
    line_ += ' ' + std::to_string(value);
    return *this;
}

LogLine& LogLine::hex(std::uint32_t value) {
    line_ += ' ' + formatHex(value);
    return *this;
}

LogLine& LogLine::reals(const double* values, long count) {
    if (values == nullptr) {
        line_ += count > 0 ? " NULL" : "";
        return *this;
    }
    for (long i = 0; i < count; ++i) {
        line_ += ' ' + formatReal(values[i]);
    }
    return *this;
}

void LogLine::appendQuoted(std::string_view value) {
    line_ += " \"";
    for (const char c : value) {
        line_ += escaped(c);
    }
    line_ += '"';
}

}  // namespace sim
