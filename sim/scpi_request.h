#pragma once
// What a command handler gets, and the parameter checks every handler shares.
// The checks throw ScpiError, which the instrument turns into a queued error.

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "sim/header_pattern.h"
#include "sim/scpi_message.h"

namespace sim {

struct ScpiRequest {
    const ScpiMessage& message;
    HeaderMatch header;
    std::chrono::steady_clock::time_point now;

    const std::vector<std::string>& parameters() const { return message.parameters; }
};

// Between minimum and maximum parameters, else missing parameter / parameter not allowed.
void expectParameters(const ScpiRequest& request, std::size_t minimum, std::size_t maximum);
void expectParameters(const ScpiRequest& request, std::size_t count);
// The last parameter as a channel list with at least one channel.
std::vector<int> channelsParameter(const ScpiRequest& request);
// The last parameter as a channel list holding exactly one channel.
int singleChannelParameter(const ScpiRequest& request);

}  // namespace sim
