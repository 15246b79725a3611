#include "sim/data_store.h"

#include <algorithm>

namespace sim {

void DataStore::storeReading(int offset, double value) {
    cvt_.at(static_cast<std::size_t>(kFirstChannelElement + offset)) = value;
    if (fifo_.size() >= kFifoCapacity) {
        if (!fifoOverwrite_) {
            return;
        }
        fifo_.pop_front();
    }
    fifo_.push_back(value);
}

void DataStore::copyCvt(int first, int count, double* destination) const {
    const auto begin = cvt_.begin() + first;
    std::copy(begin, begin + count, destination);
}

std::vector<double> DataStore::takeFifo(std::size_t count) {
    const std::size_t taken = std::min(count, fifo_.size());
    const auto end = fifo_.begin() + static_cast<std::ptrdiff_t>(taken);
    std::vector<double> values(fifo_.begin(), end);
    fifo_.erase(fifo_.begin(), end);
    return values;
}

void DataStore::replaceFifo(const std::vector<double>& values) {
    const std::size_t kept = std::min(values.size(), kFifoCapacity);
    fifo_.assign(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(kept));
}

void DataStore::flagLimit(int offset) {
    auto& word = limitFlags_.at(static_cast<std::size_t>(offset / 16));
    word = static_cast<std::uint16_t>(word | (1u << (offset % 16)));
}

void DataStore::reset() {
    resetCvt();
    resetFifo();
    fifoOverwrite_ = false;
    resetTare();
    clearLimitFlags();
}

}  // namespace sim
