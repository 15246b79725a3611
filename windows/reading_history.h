#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "app/reading_text.h"

namespace sfp {

// One element's readings over time, bounded in memory, and the decimation the
// chart draws from: a long history becomes two points per pixel column (the
// minimum and the maximum, in the order they occurred) so no peak is lost.
// A gap (a failed cycle, a stale grid, the "no reading" value) is kept as a
// NaN sample so the line breaks there instead of joining across it.
class ReadingHistory {
public:
    struct Sample {
        double time = 0.0;  // seconds
        double value = 0.0;
    };

    // 24 hours of readings at 10 per second, the fastest auto-update rate.
    static constexpr std::size_t kDefaultCapacity = 24u * 3600u * 10u;
    static constexpr double kNoReading = ::kNoReading;
    // Samples summarised together, so that a wide pixel column is decimated
    // from summaries instead of from every sample.
    static constexpr std::size_t kBlockSize = 64;

    explicit ReadingHistory(std::size_t capacity = kDefaultCapacity);

    void Append(double time, double value);
    void AppendGap(double time);
    void Clear();

    std::size_t Size() const { return samples_.size(); }
    const std::deque<Sample>& Samples() const { return samples_; }

    // Points to draw for [begin, end] over `columns` pixel columns; a NaN value
    // marks a break in the line.
    std::vector<Sample> Decimate(double begin, double end, int columns) const;

private:
    // The extremes of kBlockSize consecutive samples; not used when the block
    // holds a gap among readings, whose place in the line matters. A block of
    // gaps alone is one gap.
    struct Block {
        Sample min;
        Sample max;
        std::size_t gaps = 0;
    };

    void Summarise(const Sample& sample);
    const Block* WholeBlockAt(std::size_t index) const;

    std::size_t capacity_;
    std::deque<Sample> samples_;
    std::deque<Block> blocks_;
    std::uint64_t dropped_ = 0;     // samples dropped from the front so far
    std::uint64_t firstBlock_ = 0;  // the number of blocks_.front(), from 0
};

}  // namespace sfp
