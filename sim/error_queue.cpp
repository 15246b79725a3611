#include "sim/error_queue.h"

#include "sim/scpi_error.h"

namespace sim {

std::string formatInstrumentError(const InstrumentError& error) {
    const std::string sign = error.code < 0 ? "" : "+";
    return sign + std::to_string(error.code) + ",\"" + error.message + "\"";
}

void ErrorQueue::push(InstrumentError error) {
    if (entries_.size() < kCapacity) {
        entries_.push_back(std::move(error));
        return;
    }
    entries_.back() =
        InstrumentError{scpi::kQueueOverflow, standardErrorMessage(scpi::kQueueOverflow)};
}

std::optional<InstrumentError> ErrorQueue::pop() {
    if (entries_.empty()) {
        return std::nullopt;
    }
    InstrumentError oldest = std::move(entries_.front());
    entries_.pop_front();
    return oldest;
}

}  // namespace sim
