#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "app/reading_text.h"

namespace sfp {

// The ten elements' readings over time, bounded in memory, and the decimation
// the chart draws from: a long history becomes two points per pixel column
// (the minimum and the maximum, in the order they occurred) so no peak is
// lost. One time is kept per reading for all the elements, and every value
// exactly. A gap (a failed cycle, a stale grid, the "no reading" value) is
// kept as a NaN value so the line breaks there instead of joining across it.
class ReadingHistory {
public:
    struct Sample {
        double time = 0.0;  // seconds
        double value = 0.0;
    };

    // 24 hours of readings at 10 per second, the fastest auto-update rate.
    static constexpr std::size_t kDefaultCapacity = 24u * 3600u * 10u;
    static constexpr double kNoReading = ::kNoReading;
    // Samples summarised together at the lowest level of the summaries (1 <<
    // kBlockShift); each level above summarises 1 << kFanOutShift blocks of
    // the one below, so that a wide pixel column is decimated from a few
    // summaries instead of every sample.
    static constexpr unsigned kBlockShift = 6;
    static constexpr unsigned kFanOutShift = 3;
    static constexpr std::size_t kBlockSize = std::size_t{1} << kBlockShift;

    explicit ReadingHistory(std::size_t elements, std::size_t capacity = kDefaultCapacity);

    // One reading of every element at `time`; an element past the end of
    // `values` has no reading.
    void Append(double time, const std::vector<double>& values);
    // A reading without values, such as a failed cycle.
    void AppendGap(double time);
    void Clear();

    std::size_t Elements() const { return values_.size(); }
    std::size_t Size() const { return times_.size(); }
    // By position, the oldest held first; a gap's value is NaN.
    double TimeAt(std::size_t index) const { return times_[Physical(index)]; }
    double ValueAt(std::size_t element, std::size_t index) const {
        return values_[element][Physical(index)];
    }

    // Points to draw of each of `elements` for [begin, end] over `columns`
    // pixel columns; a NaN value marks a break in the line. Each column's
    // points are kept until its samples change, so that a redraw of a view
    // that stands still decimates only the columns that new readings reach
    // or that old ones left.
    std::vector<std::vector<Sample>> Decimate(const std::vector<std::size_t>& elements,
                                              double begin, double end, int columns) const;
    // Leaves out each point that the line drawn without it still passes
    // within half a pixel of, vertically, so that what is drawn stays as it
    // was: a smooth stretch becomes a few segments, a noisy one keeps every
    // point. Qt Charts' cost grows with every point. A gap is kept where it
    // can be seen: between readings a pixel or more apart.
    static std::vector<Sample> Thin(const std::vector<Sample>& points, double pixelsPerSecond,
                                    double pixelsPerUnit);

private:
    // The extremes of a block of consecutive samples; not used when the block
    // holds a gap among readings, whose place in the line matters. A block of
    // gaps alone is one gap.
    struct Block {
        Sample min;
        Sample max;
        std::size_t gaps = 0;
    };
    // One element's blocks of one size, the oldest first.
    struct Level {
        unsigned shift = 0;       // 1 << shift samples per block
        std::uint64_t first = 0;  // the number of blocks.front(), from 0
        std::deque<Block> blocks;
    };
    class Column;
    // One pixel column's points, and which samples they came from.
    struct Decimated {
        std::uint64_t first = 0;  // sequence numbers, counted as dropped_ is
        std::uint64_t end = 0;
        std::vector<Sample> points;
    };

    std::size_t Physical(std::size_t index) const {
        const std::size_t at = start_ + index;
        return at < capacity_ ? at : at - capacity_;
    }
    void DropOldest();
    void Summarise(std::vector<Level>& levels, const Sample& sample);
    const Block* WholeBlock(std::size_t element, std::size_t index, std::size_t end,
                            std::size_t& size) const;
    void Scan(std::size_t element, std::size_t index, std::size_t end, Column& column,
              std::vector<Sample>& out) const;
    template <typename Before>
    std::size_t Partition(std::size_t low, std::size_t high, Before before) const;
    std::vector<std::size_t> ColumnStarts(double begin, double end, int columns) const;
    void SnapToBlocks(std::vector<std::size_t>& starts) const;
    void Walk(std::size_t element, std::size_t index, std::size_t end, Column& column,
              std::vector<Sample>& out) const;
    const std::vector<Sample>& ColumnPoints(std::size_t element, std::size_t column,
                                            std::size_t index, std::size_t end) const;

    std::size_t capacity_;
    std::size_t start_ = 0;  // where the oldest sample is, once the ring is full
    std::vector<double> times_;
    std::vector<std::vector<double>> values_;  // per element, beside times_
    std::vector<std::vector<Level>> levels_;   // per element, the smallest blocks first
    std::uint64_t dropped_ = 0;                // samples dropped from the front so far
    mutable std::vector<std::vector<Decimated>> decimated_;  // per element, per column
};

}  // namespace sfp
