#pragma once
// One line of the call log: the function name and its arguments separated by
// blanks. Texts are double-quoted with C escapes (\" \\ \n \r \t \xNN), a null
// text is NULL, statuses and attributes are hexadecimal (0xBFFF0015), reals
// are written in their shortest exact form.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sim {

class LogLine {
public:
    explicit LogLine(std::string_view function) : line_(function) {}

    LogLine& text(const char* value);
    LogLine& bytes(const unsigned char* data, std::size_t count);
    LogLine& number(long long value);
    LogLine& hex(std::uint32_t value);
    LogLine& reals(const double* values, long count);

    const std::string& str() const { return line_; }

private:
    void appendQuoted(std::string_view value);

    std::string line_;
};

}  // namespace sim
