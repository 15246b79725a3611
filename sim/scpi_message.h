#pragma once
// One SCPI program message split into its header and parameters.

#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct ScpiMessage {
    std::vector<std::string> headerWords;  // upper-cased, without ':' and the query mark
    bool query = false;
    std::vector<std::string> parameters;  // trimmed, as sent (quotes and brackets kept)

    bool empty() const { return headerWords.empty(); }
};

// Throws ScpiError for a header with empty nodes or unbalanced brackets/quotes.
ScpiMessage parseScpiMessage(std::string_view text);

}  // namespace sim
