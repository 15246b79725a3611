#include "controls/channel_list.h"

#include <cctype>
#include <limits>

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    ChannelSet Run() {
        while (SkipToDigit()) {
            const long first = ReadNumber();
            SkipBlanks();
            if (!AtColon()) {
                Store(first);
                continue;
            }
            ++position_;
            if (!SkipToDigit()) {
                break;  // "7:" names nothing
            }
            const long last = ReadNumber();
            for (long n = first; n <= last && !Full(); ++n) {
                Store(n);
            }
        }
        return set_;
    }

private:
    bool IsDigit(std::size_t at) const {
        return std::isdigit(static_cast<unsigned char>(text_[at])) != 0;
    }

    bool SkipToDigit() {
        while (position_ < text_.size() && !IsDigit(position_)) {
            ++position_;
        }
        return position_ < text_.size();
    }

    void SkipBlanks() {
        while (position_ < text_.size() && text_[position_] == ' ') {
            ++position_;
        }
    }

    bool AtColon() const { return position_ < text_.size() && text_[position_] == ':'; }

    // Saturates instead of overflowing on absurdly long digit runs.
    long ReadNumber() {
        constexpr long kLimit = std::numeric_limits<std::int16_t>::max();
        long value = 0;
        while (position_ < text_.size() && IsDigit(position_)) {
            value = value * 10 + (text_[position_] - '0');
            if (value > kLimit) {
                value = kLimit;
            }
            ++position_;
        }
        return value;
    }

    bool Full() const { return set_.Count() >= kChannelSetCapacity; }

    void Store(long number) {
        if (Full()) {
            return;
        }
        set_.numbers[static_cast<std::size_t>(++set_.lastIndex)] =
            static_cast<std::int16_t>(number);
        if (number >= 0 && number < 32) {
            set_.maskLow |= 1u << number;
        } else if (number >= 32 && number < 64) {
            set_.maskHigh |= 1u << (number - 32);
        }
    }

    std::string_view text_;
    std::size_t position_ = 0;
    ChannelSet set_;
};

}  // namespace

ChannelSet ParseChannelList(std::string_view text) {
    return Parser(text).Run();
}

namespace {

constexpr int kLowestChannel = 100;
constexpr int kHighestChannel = 163;

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsChannel(std::string_view text) {
    if (text.empty() || text.size() > 3) {
        return false;
    }
    int number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        number = number * 10 + (c - '0');
    }
    return number >= kLowestChannel && number <= kHighestChannel;
}

bool IsItem(std::string_view item) {
    const auto colon = item.find(':');
    if (colon == std::string_view::npos) {
        return IsChannel(item);
    }
    return IsChannel(Trim(item.substr(0, colon))) && IsChannel(Trim(item.substr(colon + 1)));
}

}  // namespace

std::optional<std::string> FindChannelListFault(std::string_view text) {
    std::size_t start = 0;
    while (true) {
        const auto comma = text.find(',', start);
        const std::string_view item =
            Trim(text.substr(start, comma == std::string_view::npos ? text.npos : comma - start));
        if (!IsItem(item)) {
            return std::string(item);
        }
        if (comma == std::string_view::npos) {
            return std::nullopt;
        }
        start = comma + 1;
    }
}
