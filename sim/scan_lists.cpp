#include "sim/scan_lists.h"

#include <numeric>

#include "sim/channel_list.h"
#include "sim/text_util.h"

namespace sim {

namespace {

constexpr int kLimitList = 4;

std::vector<int> allChannels() {
    std::vector<int> channels(kChannelCount);
    std::iota(channels.begin(), channels.end(), kFirstChannel);
    return channels;
}

}  // namespace

ScanLists::ScanLists() {
    reset();
}

std::optional<int> ScanLists::listIndex(std::string_view name) {
    const std::string upper = toUpper(name);
    if (upper == "LISTL") {
        return kLimitList;
    }
    if (upper.size() == 5 && upper.compare(0, 4, "LIST") == 0 && upper[4] >= '1' &&
        upper[4] <= '4') {
        return upper[4] - '1';
    }
    return std::nullopt;
}

std::optional<int> ScanLists::timerIndex(std::string_view name) {
    if (equalsIgnoreCase(name, "ALL")) {
        return kAllTimers;
    }
    return listIndex(name);
}

void ScanLists::define(int list, std::vector<int> channels) {
    lists_.at(static_cast<std::size_t>(list)) = std::move(channels);
}

const std::vector<int>& ScanLists::channels(int list) const {
    return lists_.at(static_cast<std::size_t>(list));
}

void ScanLists::setAllSampleTimers(double seconds) {
    sampleTimers_.fill(seconds);
}

void ScanLists::setSampleTimer(int timer, double seconds) {
    sampleTimers_.at(static_cast<std::size_t>(timer)) = seconds;
}

double ScanLists::sampleTimer(int timer) const {
    return sampleTimers_.at(static_cast<std::size_t>(timer));
}

void ScanLists::reset() {
    lists_.fill(allChannels());
    sampleTimers_.fill(kMinimumSampleTimer);
}

}  // namespace sim
