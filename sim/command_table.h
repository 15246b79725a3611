#pragma once
// The instrument's command set: header patterns with their handlers. A
// handler returns the answer of a query (nothing for a command) and throws
// ScpiError when the message is not accepted.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/header_pattern.h"
#include "sim/scpi_request.h"

namespace sim {

using CommandHandler = std::function<std::optional<std::string>(const ScpiRequest&)>;

class CommandTable {
public:
    void addCommand(std::string_view notation, CommandHandler handler);
    void addQuery(std::string_view notation, CommandHandler handler);

    // Throws ScpiError(undefined header) when no entry takes the message.
    std::optional<std::string> execute(const ScpiMessage& message,
                                       std::chrono::steady_clock::time_point now) const;

private:
    struct Entry {
        HeaderPattern pattern;
        bool query;
        CommandHandler handler;
    };

    std::vector<Entry> entries_;
};

}  // namespace sim
