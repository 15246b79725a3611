#pragma once
// The instrument's channels and SCPI channel lists: "(@100:103,105)", ranges
// inclusive in either direction, and the card-qualified form "(@1(0:63))".

#include <string_view>
#include <vector>

namespace sim {

constexpr int kFirstChannel = 100;
constexpr int kLastChannel = 163;
constexpr int kChannelCount = kLastChannel - kFirstChannel + 1;
constexpr int kChannelsPerScp = 8;
constexpr int kScpCount = kChannelCount / kChannelsPerScp;

constexpr int channelOffset(int channel) {
    return channel - kFirstChannel;
}

// Channels in list order. Throws ScpiError: data type error when the text is
// not a channel list, data out of range for a channel outside 100..163.
std::vector<int> parseChannelList(std::string_view text);

}  // namespace sim
