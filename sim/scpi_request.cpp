#include "sim/scpi_request.h"

#include "sim/channel_list.h"
#include "sim/scpi_error.h"

namespace sim {

void expectParameters(const ScpiRequest& request, std::size_t minimum, std::size_t maximum) {
    const std::size_t count = request.parameters().size();
    if (count < minimum) {
        throw ScpiError{scpi::kMissingParameter};
    }
    if (count > maximum) {
        throw ScpiError{scpi::kParameterNotAllowed};
    }
}

void expectParameters(const ScpiRequest& request, std::size_t count) {
    expectParameters(request, count, count);
}

std::vector<int> channelsParameter(const ScpiRequest& request) {
    if (request.parameters().empty()) {
        throw ScpiError{scpi::kMissingParameter};
    }
    std::vector<int> channels = parseChannelList(request.parameters().back());
    if (channels.empty()) {
        throw ScpiError{scpi::kMissingParameter};
    }
    return channels;
}

int singleChannelParameter(const ScpiRequest& request) {
    const std::vector<int> channels = channelsParameter(request);
    if (channels.size() != 1) {
        throw ScpiError{scpi::kIllegalParameterValue};
    }
    return channels.front();
}

}  // namespace sim
