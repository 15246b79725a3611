#include "sim/command_table.h"

#include "sim/scpi_error.h"

namespace sim {

void CommandTable::addCommand(std::string_view notation, CommandHandler handler) {
    entries_.push_back(Entry{HeaderPattern(notation), false, std::move(handler)});
}

void CommandTable::addQuery(std::string_view notation, CommandHandler handler) {
    entries_.push_back(Entry{HeaderPattern(notation), true, std::move(handler)});
}

std::optional<std::string> CommandTable::execute(const ScpiMessage& message,
                                                 std::chrono::steady_clock::time_point now) const {
    for (const Entry& entry : entries_) {
        if (entry.query != message.query) {
            continue;
        }
        auto header = entry.pattern.match(message.headerWords);
        if (header) {
            return entry.handler(ScpiRequest{message, std::move(*header), now});
        }
    }
    throw ScpiError{scpi::kUndefinedHeader};
}

}  // namespace sim
