#pragma once
// The instrument's error queue: oldest first, bounded; when it overflows the
// newest entry becomes "Queue overflow", as SCPI instruments do.

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace sim {

struct InstrumentError {
    int code = 0;
    std::string message;
};

// The queue's answer form: -113,"Undefined header" or +0,"No error".
std::string formatInstrumentError(const InstrumentError& error);

class ErrorQueue {
public:
    static constexpr std::size_t kCapacity = 30;

    void push(InstrumentError error);
    std::optional<InstrumentError> pop();
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    void clear() { entries_.clear(); }

private:
    std::deque<InstrumentError> entries_;
};

}  // namespace sim
