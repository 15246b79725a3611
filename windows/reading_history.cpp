#include "reading_history.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sfp {

namespace {

using Sample = ReadingHistory::Sample;

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

// The extremes of one pixel column in time order.
struct Column {
    bool any = false;
    Sample min;
    Sample max;

    void Take(const Sample& low, const Sample& high) {
        if (!any) {
            *this = Column{true, low, high};
            return;
        }
        if (low.value < min.value) {
            min = low;
        }
        if (high.value > max.value) {
            max = high;
        }
    }
};

void Flush(Column& column, std::vector<Sample>& out) {
    if (!column.any) {
        return;
    }
    const bool minFirst = column.min.time <= column.max.time;
    out.push_back(minFirst ? column.min : column.max);
    if (column.min.time != column.max.time || column.min.value != column.max.value) {
        out.push_back(minFirst ? column.max : column.min);
    }
    column = Column{};
}

void AddGap(double time, Column& column, std::vector<Sample>& out) {
    Flush(column, out);
    if (out.empty() || !std::isnan(out.back().value)) {
        out.push_back({time, kNan});
    }
}

}  // namespace

ReadingHistory::ReadingHistory(std::size_t capacity)
    : capacity_(std::max<std::size_t>(capacity, 1)) {}

void ReadingHistory::Append(double time, double value) {
    if (samples_.size() == capacity_) {
        samples_.pop_front();
        ++dropped_;
        // A block goes once its last sample has gone.
        if (dropped_ >= (firstBlock_ + 1) * kBlockSize) {
            blocks_.pop_front();
            ++firstBlock_;
        }
    }
    const Sample sample{time, IsNoReading(value) ? kNan : value};
    samples_.push_back(sample);
    Summarise(sample);
}

void ReadingHistory::Summarise(const Sample& sample) {
    const std::uint64_t sequence = dropped_ + samples_.size() - 1;
    const bool gap = std::isnan(sample.value);
    if (sequence % kBlockSize == 0) {
        blocks_.push_back(Block{sample, sample, gap ? 1u : 0u});
        return;
    }
    Block& block = blocks_.back();
    if (gap) {
        ++block.gaps;
        return;
    }
    if (std::isnan(block.min.value) || sample.value < block.min.value) {
        block.min = sample;
    }
    if (std::isnan(block.max.value) || sample.value > block.max.value) {
        block.max = sample;
    }
}

// The summary of the block that starts at sample `index`, when all of its
// samples are still held and it is full.
const ReadingHistory::Block* ReadingHistory::WholeBlockAt(std::size_t index) const {
    const std::uint64_t sequence = dropped_ + index;
    if (sequence % kBlockSize != 0 || index + kBlockSize > samples_.size()) {
        return nullptr;
    }
    const std::uint64_t position = sequence / kBlockSize - firstBlock_;
    return position < blocks_.size() ? &blocks_[position] : nullptr;
}

void ReadingHistory::AppendGap(double time) {
    Append(time, kNan);
}

void ReadingHistory::Clear() {
    samples_.clear();
    blocks_.clear();
    dropped_ = 0;
    firstBlock_ = 0;
}

std::vector<Sample> ReadingHistory::Decimate(double begin, double end, int columns) const {
    std::vector<Sample> out;
    if (columns <= 0 || !(end > begin)) {
        return out;
    }
    const auto first = std::lower_bound(samples_.begin(), samples_.end(), begin,
                                        [](const Sample& s, double t) { return s.time < t; });
    const double width = (end - begin) / columns;
    const auto columnOf = [&](double time) {
        return std::min<long>(static_cast<long>((time - begin) / width), columns - 1);
    };
    Column column;
    long current = -1;
    std::size_t index = static_cast<std::size_t>(first - samples_.begin());
    while (index < samples_.size() && samples_[index].time <= end) {
        const Sample& sample = samples_[index];
        const long at = columnOf(sample.time);
        if (at != current) {
            Flush(column, out);
            current = at;
        }
        // A whole block inside this column counts as its two extremes.
        const Block* block = WholeBlockAt(index);
        if (block != nullptr && block->gaps == kBlockSize) {
            AddGap(sample.time, column, out);
            index += kBlockSize;
            continue;
        }
        if (block != nullptr && block->gaps == 0) {
            const Sample& last = samples_[index + kBlockSize - 1];
            if (last.time <= end && columnOf(last.time) == current) {
                column.Take(block->min, block->max);
                index += kBlockSize;
                continue;
            }
        }
        if (std::isnan(sample.value)) {
            AddGap(sample.time, column, out);
        } else {
            column.Take(sample, sample);
        }
        ++index;
    }
    Flush(column, out);
    return out;
}

}  // namespace sfp
