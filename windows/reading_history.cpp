#include "reading_history.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sfp {

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kHalfPixel = 0.5;

using Sample = ReadingHistory::Sample;

// The last of the points after `anchor` that one straight line from the
// anchor to it passes within half a pixel of, every point between included;
// the anchor itself when the next point cannot be reached so.
std::size_t SleeveEnd(const std::vector<Sample>& points, std::size_t anchor, double pixelsPerSecond,
                      double pixelsPerUnit) {
    // The slopes (pixels up per pixel across) still open to such a line.
    double low = -kInfinity;
    double high = kInfinity;
    std::size_t last = anchor;
    for (std::size_t i = anchor + 1; i < points.size() && !std::isnan(points[i].value); ++i) {
        const double dx = (points[i].time - points[anchor].time) * pixelsPerSecond;
        const double dy = (points[i].value - points[anchor].value) * pixelsPerUnit;
        if (!(dx > 0.0) || dy < low * dx || dy > high * dx) {
            break;
        }
        low = std::max(low, (dy - kHalfPixel) / dx);
        high = std::min(high, (dy + kHalfPixel) / dx);
        last = i;
    }
    return last;
}

}  // namespace

// The extremes of one pixel column in time order.
class ReadingHistory::Column {
public:
    void Take(const Sample& sample) {
        if (!any_) {
            any_ = true;
            min_ = sample;
            max_ = sample;
            return;
        }
        if (sample.value < min_.value) {
            min_ = sample;
        } else if (sample.value > max_.value) {
            max_ = sample;
        }
    }

    void Take(const Sample& low, const Sample& high) {
        if (!any_) {
            any_ = true;
            min_ = low;
            max_ = high;
            return;
        }
        if (low.value < min_.value) {
            min_ = low;
        }
        if (high.value > max_.value) {
            max_ = high;
        }
    }

    void Flush(std::vector<Sample>& out) {
        if (!any_) {
            return;
        }
        const bool minFirst = min_.time <= max_.time;
        out.push_back(minFirst ? min_ : max_);
        if (min_.time != max_.time || min_.value != max_.value) {
            out.push_back(minFirst ? max_ : min_);
        }
        any_ = false;
    }

    void AddGap(double time, std::vector<Sample>& out) {
        Flush(out);
        if (out.empty() || !std::isnan(out.back().value)) {
            out.push_back({time, kNan});
        }
    }

private:
    bool any_ = false;
    Sample min_;
    Sample max_;
};

ReadingHistory::ReadingHistory(std::size_t elements, std::size_t capacity)
    : capacity_(std::max<std::size_t>(capacity, 1)),
      values_(std::max<std::size_t>(elements, 1)),
      levels_(values_.size()),
      decimated_(values_.size()) {
    // Reserved, not touched: memory is taken as readings arrive, and the ring
    // never moves while the chart is open.
    times_.reserve(capacity_);
    for (std::vector<double>& values : values_) {
        values.reserve(capacity_);
    }
    Clear();
}

void ReadingHistory::Append(double time, const std::vector<double>& values) {
    const bool full = Size() == capacity_;
    if (full) {
        DropOldest();
        times_[start_] = time;
    } else {
        times_.push_back(time);
    }
    for (std::size_t element = 0; element < Elements(); ++element) {
        const double value =
            element < values.size() && !IsNoReading(values[element]) ? values[element] : kNan;
        std::vector<double>& column = values_[element];
        if (full) {
            column[start_] = value;
        } else {
            column.push_back(value);
        }
        Summarise(levels_[element], {time, value});
    }
    if (full) {
        start_ = start_ + 1 == capacity_ ? 0 : start_ + 1;
    }
}

void ReadingHistory::AppendGap(double time) {
    Append(time, {});
}

// The oldest sample goes, and with it every block whose last sample it was.
void ReadingHistory::DropOldest() {
    ++dropped_;
    for (std::vector<Level>& levels : levels_) {
        for (Level& level : levels) {
            while (!level.blocks.empty() && ((level.first + 1) << level.shift) <= dropped_) {
                level.blocks.pop_front();
                ++level.first;
            }
        }
    }
}

void ReadingHistory::Summarise(std::vector<Level>& levels, const Sample& sample) {
    const std::uint64_t sequence = dropped_ + Size() - 1;
    const bool gap = std::isnan(sample.value);
    for (Level& level : levels) {
        if ((sequence & ((std::uint64_t{1} << level.shift) - 1)) == 0) {
            level.blocks.push_back(Block{sample, sample, gap ? 1u : 0u});
            continue;
        }
        Block& block = level.blocks.back();
        if (gap) {
            ++block.gaps;
            continue;
        }
        if (std::isnan(block.min.value) || sample.value < block.min.value) {
            block.min = sample;
        }
        if (std::isnan(block.max.value) || sample.value > block.max.value) {
            block.max = sample;
        }
    }
}

void ReadingHistory::Clear() {
    times_.clear();
    for (std::size_t element = 0; element < Elements(); ++element) {
        values_[element].clear();
        std::vector<Level>& levels = levels_[element];
        levels.clear();
        for (unsigned shift = kBlockShift; (std::size_t{1} << shift) <= capacity_;
             shift += kFanOutShift) {
            levels.push_back(Level{shift, 0, {}});
        }
    }
    start_ = 0;
    dropped_ = 0;
    // The sequence numbers start again: no column kept can stand for them.
    for (std::vector<Decimated>& columns : decimated_) {
        columns.clear();
    }
}

// The summary of the largest block that starts at sample `index`, ends by
// `end` and can stand for its samples: readings alone, or gaps alone.
const ReadingHistory::Block* ReadingHistory::WholeBlock(std::size_t element, std::size_t index,
                                                        std::size_t end, std::size_t& size) const {
    const std::uint64_t sequence = dropped_ + index;
    const std::vector<Level>& levels = levels_[element];
    for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
        size = std::size_t{1} << level->shift;
        if ((sequence & (size - 1)) != 0 || index + size > end) {
            continue;
        }
        const std::uint64_t position = (sequence >> level->shift) - level->first;
        if (position >= level->blocks.size()) {
            continue;
        }
        const Block& block = level->blocks[position];
        if (block.gaps == 0 || block.gaps == size) {
            return &block;
        }
    }
    return nullptr;
}

// Samples [index, end) of one element into `column`, one by one.
void ReadingHistory::Scan(std::size_t element, std::size_t index, std::size_t end, Column& column,
                          std::vector<Sample>& out) const {
    const double* const times = times_.data();
    const double* const values = values_[element].data();
    while (index < end) {
        // The ring's samples lie in at most two runs.
        const std::size_t first = Physical(index);
        const std::size_t count = std::min(end - index, capacity_ - first);
        for (std::size_t at = first; at < first + count; ++at) {
            const Sample sample{times[at], values[at]};
            if (std::isnan(sample.value)) {
                column.AddGap(sample.time, out);
            } else {
                column.Take(sample);
            }
        }
        index += count;
    }
}

// Samples [index, end) of one element into `column`, each whole block by its
// summary at the largest size that fits.
void ReadingHistory::Walk(std::size_t element, std::size_t index, std::size_t end, Column& column,
                          std::vector<Sample>& out) const {
    while (index < end) {
        const std::size_t misaligned = (dropped_ + index) % kBlockSize;
        const std::size_t boundary = std::min(end, index + kBlockSize - misaligned);
        if (misaligned != 0 || boundary - index < kBlockSize) {
            Scan(element, index, boundary, column, out);
            index = boundary;
            continue;
        }
        std::size_t size = 0;
        const Block* block = WholeBlock(element, index, end, size);
        if (block == nullptr) {
            Scan(element, index, boundary, column, out);  // a gap among readings
            index = boundary;
        } else if (block->gaps == 0) {
            column.Take(block->min, block->max);
            index += size;
        } else {
            column.AddGap(TimeAt(index), out);
            index += size;
        }
    }
}

namespace {

// The values of the readings beside a break, on one side (`step` -1 before,
// +1 after), that lie within a pixel across of the nearest one.
struct Side {
    double low = kInfinity;
    double high = -kInfinity;
};

Side SideOf(const std::vector<Sample>& points, std::size_t gap, int step, double pixelsPerSecond) {
    Side side;
    const double nearest = points[gap + step].time;
    for (std::size_t i = gap + step; i < points.size() && !std::isnan(points[i].value); i += step) {
        if (std::fabs(points[i].time - nearest) * pixelsPerSecond > 1.0) {
            break;
        }
        side.low = std::min(side.low, points[i].value);
        side.high = std::max(side.high, points[i].value);
    }
    return side;
}

// A break that shows nothing is left out: the readings on its two sides lie
// within a pixel across, and their values meet within a pixel, so the line
// drawn across it covers no pixel that the readings do not. Each break would
// cost Qt Charts a line of its own.
std::vector<Sample> JoinUnseenBreaks(const std::vector<Sample>& points, double pixelsPerSecond,
                                     double pixelsPerUnit) {
    std::vector<Sample> out;
    out.reserve(points.size());
    const double pixel = 1.0 / pixelsPerUnit;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const bool between = std::isnan(points[i].value) && i > 0 && i + 1 < points.size() &&
                             !std::isnan(points[i - 1].value) && !std::isnan(points[i + 1].value);
        if (between && (points[i + 1].time - points[i - 1].time) * pixelsPerSecond <= 1.0) {
            const Side before = SideOf(points, i, -1, pixelsPerSecond);
            const Side after = SideOf(points, i, 1, pixelsPerSecond);
            if (after.low <= before.high + pixel && after.high >= before.low - pixel) {
                continue;
            }
        }
        out.push_back(points[i]);
    }
    return out;
}

}  // namespace

std::vector<Sample> ReadingHistory::Thin(const std::vector<Sample>& given, double pixelsPerSecond,
                                         double pixelsPerUnit) {
    const std::vector<Sample> points = JoinUnseenBreaks(given, pixelsPerSecond, pixelsPerUnit);
    std::vector<Sample> out;
    out.reserve(points.size());
    std::size_t index = 0;
    while (index < points.size()) {
        out.push_back(points[index]);
        if (std::isnan(points[index].value)) {
            ++index;
            continue;
        }
        const std::size_t end = SleeveEnd(points, index, pixelsPerSecond, pixelsPerUnit);
        index = end == index ? index + 1 : end;
    }
    return out;
}

// The first position in [low, high) whose time fails `before`.
template <typename Before>
std::size_t ReadingHistory::Partition(std::size_t low, std::size_t high, Before before) const {
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (before(TimeAt(middle))) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

// Where each pixel column's samples begin, and after the last where they end;
// columns without samples are left out. The search gallops forward from the
// column before, so that it stays among nearby times.
std::vector<std::size_t> ReadingHistory::ColumnStarts(double begin, double end, int columns) const {
    const double width = (end - begin) / columns;
    const auto columnOf = [&](double time) {
        return std::min<long>(static_cast<long>((time - begin) / width), columns - 1);
    };
    std::size_t index = Partition(0, Size(), [begin](double t) { return t < begin; });
    const std::size_t stop = Partition(index, Size(), [end](double t) { return t <= end; });
    std::vector<std::size_t> starts;
    while (index < stop) {
        starts.push_back(index);
        const long at = columnOf(TimeAt(index));
        const auto inColumn = [&](double t) { return columnOf(t) <= at; };
        // Every position before `low` is in the column; `high` is not, or is
        // the stop.
        std::size_t low = index + 1;
        std::size_t high = low;
        for (std::size_t step = 1; high < stop && inColumn(TimeAt(high)); step *= 2) {
            low = high + 1;
            high = std::min(stop, high + step);
        }
        index = Partition(low, high, inColumn);
    }
    starts.push_back(stop);
    SnapToBlocks(starts);
    return starts;
}

// A column many blocks wide begins at the nearest block boundary, so that it
// is decimated from summaries alone: a sample moves to the next column only
// within a sixteenth of a column of the boundary, and is drawn at its own
// time all the same.
void ReadingHistory::SnapToBlocks(std::vector<std::size_t>& starts) const {
    constexpr std::size_t kWide = 16 * kBlockSize;
    for (std::size_t c = 1; c + 1 < starts.size(); ++c) {
        if (starts[c] - starts[c - 1] < kWide || starts[c + 1] - starts[c] < kWide) {
            continue;
        }
        const std::size_t misaligned = (dropped_ + starts[c]) % kBlockSize;
        starts[c] = misaligned < kBlockSize / 2 ? starts[c] - misaligned
                                                : starts[c] + (kBlockSize - misaligned);
    }
}

std::vector<std::vector<ReadingHistory::Sample>> ReadingHistory::Decimate(
    const std::vector<std::size_t>& elements, double begin, double end, int columns) const {
    std::vector<std::vector<Sample>> out(elements.size());
    if (columns <= 0 || !(end > begin)) {
        return out;
    }
    const std::vector<std::size_t> starts = ColumnStarts(begin, end, columns);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (elements[i] >= Elements()) {
            continue;
        }
        for (std::size_t c = 0; c + 1 < starts.size(); ++c) {
            const std::vector<Sample>& points =
                ColumnPoints(elements[i], c, starts[c], starts[c + 1]);
            // A column that begins with a break goes on from one that ended in it.
            const bool joinBreaks = !out[i].empty() && std::isnan(out[i].back().value) &&
                                    !points.empty() && std::isnan(points.front().value);
            out[i].insert(out[i].end(), points.begin() + (joinBreaks ? 1 : 0), points.end());
        }
    }
    return out;
}

// The points of samples [index, end) of one element, the `column`th column of
// a decimation: kept from the last decimation when that column held the same
// samples, which never change once appended.
const std::vector<Sample>& ReadingHistory::ColumnPoints(std::size_t element, std::size_t column,
                                                        std::size_t index, std::size_t end) const {
    std::vector<Decimated>& columns = decimated_[element];
    if (columns.size() <= column) {
        columns.resize(column + 1);
    }
    Decimated& kept = columns[column];
    if (kept.first == dropped_ + index && kept.end == dropped_ + end && end > index) {
        return kept.points;
    }
    kept.first = dropped_ + index;
    kept.end = dropped_ + end;
    kept.points.clear();
    Column extremes;
    Walk(element, index, end, extremes, kept.points);
    extremes.Flush(kept.points);
    return kept.points;
}

}  // namespace sfp
