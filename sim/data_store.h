#pragma once
// Where readings go: the current value table (512 elements, element 10 + n
// holds channel 100 + n), the data FIFO, the per-channel tare offsets and the
// cumulative limit flags (one bit per channel in four 16-bit words).

#include <array>
#include <cstdint>
#include <deque>
#include <vector>

#include "sim/channel_list.h"

namespace sim {

class DataStore {
public:
    static constexpr int kCvtSize = 512;
    static constexpr int kFirstChannelElement = 10;
    static constexpr std::size_t kFifoCapacity = 65024;
    static constexpr double kNotANumber = 9.91e37;  // SCPI's "no reading"
    static constexpr int kLimitWords = 4;

    DataStore() { reset(); }

    // A reading of the channel at this offset: into the CVT and the FIFO.
    void storeReading(int offset, double value);
    void resetCvt() { cvt_.fill(kNotANumber); }
    void copyCvt(int first, int count, double* destination) const;

    std::size_t fifoCount() const { return fifo_.size(); }
    // Removes and returns the oldest values (at most count).
    std::vector<double> takeFifo(std::size_t count);
    void replaceFifo(const std::vector<double>& values);
    void resetFifo() { fifo_.clear(); }
    // Overwrite mode drops the oldest value when full; block mode drops the new one.
    void setFifoOverwrite(bool overwrite) { fifoOverwrite_ = overwrite; }

    void setTare(int offset, double value) { tare_.at(static_cast<std::size_t>(offset)) = value; }
    double tare(int offset) const { return tare_.at(static_cast<std::size_t>(offset)); }
    void resetTare() { tare_.fill(0.0); }

    void flagLimit(int offset);
    const std::array<std::uint16_t, kLimitWords>& limitFlags() const { return limitFlags_; }
    void clearLimitFlags() { limitFlags_.fill(0); }

    void reset();

private:
    std::array<double, kCvtSize> cvt_{};
    std::deque<double> fifo_;
    bool fifoOverwrite_ = false;
    std::array<double, kChannelCount> tare_{};
    std::array<std::uint16_t, kLimitWords> limitFlags_{};
};

}  // namespace sim
