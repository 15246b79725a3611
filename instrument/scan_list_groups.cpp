#include "instrument/scan_list_groups.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "instrument/scpi_text.h"

namespace {

// The comma-separated numbers of an answer; blank entries are ignored.
std::vector<long> Numbers(const std::string& answer) {
    std::vector<long> numbers;
    std::istringstream stream(answer);
    std::string item;
    while (std::getline(stream, item, ',')) {
        const std::string trimmed = scpi::Trimmed(item);
        if (!trimmed.empty()) {
            numbers.push_back(scpi::IntegerValue(trimmed));
        }
    }
    return numbers;
}

std::string FormatGroup(long module, long first, long last) {
    return first == last ? scpi::Format("%ld(%ld),", module, first)
                         : scpi::Format("%ld(%ld:%ld),", module, first, last);
}

}  // namespace

std::string FormatModuleGroups(const std::string& channelAnswer, const std::string& moduleAnswer) {
    const std::vector<long> channels = Numbers(channelAnswer);
    const std::vector<long> modules = Numbers(moduleAnswer);
    // A module answer shorter than the channel answer leaves nothing to pair.
    const std::size_t count = std::min(channels.size(), modules.size());
    std::string groups;
    std::size_t start = 0;
    while (start < count) {
        std::size_t end = start;
        while (end + 1 < count && modules[end + 1] == modules[start] &&
               channels[end + 1] == channels[end] + 1) {
            ++end;
        }
        groups += FormatGroup(modules[start], channels[start], channels[end]);
        start = end + 1;
    }
    if (!groups.empty()) {
        groups.pop_back();
    }
    return "(@" + groups + ")";
}
