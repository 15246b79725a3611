#include "sim/channel_list.h"

#include <cctype>
#include <string>

#include "sim/scpi_error.h"

namespace sim {

namespace {

class ChannelListReader {
public:
    explicit ChannelListReader(std::string text) : text_(std::move(text)) {}

    std::vector<int> read() {
        std::vector<int> channels;
        readItems(0, channels);
        if (position_ != text_.size()) {
            throw ScpiError{scpi::kDataTypeError};
        }
        return channels;
    }

private:
    void readItems(int card, std::vector<int>& channels) {
        if (atEnd() || peek() == ')') {
            return;  // an empty list is allowed
        }
        readItem(card, channels);
        while (!atEnd() && peek() == ',') {
            ++position_;
            readItem(card, channels);
        }
    }

    void readItem(int card, std::vector<int>& channels) {
        const int first = readNumber();
        if (!atEnd() && peek() == '(' && card == 0) {
            ++position_;
            readItems(first, channels);
            expect(')');
            return;
        }
        int last = first;
        if (!atEnd() && peek() == ':') {
            ++position_;
            last = readNumber();
        }
        const int step = last >= first ? 1 : -1;
        for (int n = first;; n += step) {
            channels.push_back(checkedChannel(card * 100 + n));
            if (n == last) {
                break;
            }
        }
    }

    int readNumber() {
        const std::size_t start = position_;
        while (!atEnd() && std::isdigit(static_cast<unsigned char>(peek())) &&
               position_ - start < 6) {
            ++position_;
        }
        if (position_ == start) {
            throw ScpiError{scpi::kDataTypeError};
        }
        return std::stoi(text_.substr(start, position_ - start));
    }

    static int checkedChannel(int channel) {
        if (channel < kFirstChannel || channel > kLastChannel) {
            throw ScpiError{scpi::kDataOutOfRange};
        }
        return channel;
    }

    void expect(char c) {
        if (atEnd() || peek() != c) {
            throw ScpiError{scpi::kDataTypeError};
        }
        ++position_;
    }

    bool atEnd() const { return position_ >= text_.size(); }
    char peek() const { return text_[position_]; }

    std::string text_;
    std::size_t position_ = 0;
};

std::string withoutBlanks(std::string_view text) {
    std::string result;
    for (const char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            result += c;
        }
    }
    return result;
}

}  // namespace

std::vector<int> parseChannelList(std::string_view text) {
    const std::string compact = withoutBlanks(text);
    if (compact.size() < 3 || compact.compare(0, 2, "(@") != 0 || compact.back() != ')') {
        throw ScpiError{scpi::kDataTypeError};
    }
    return ChannelListReader(compact.substr(2, compact.size() - 3)).read();
}

}  // namespace sim
