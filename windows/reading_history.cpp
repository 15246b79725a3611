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

}  // namespace

bool IsNoReading(double value) {
    return !std::isfinite(value) || std::fabs(value) >= ReadingHistory::kNoReading * 0.999;
}

ReadingHistory::ReadingHistory(std::size_t capacity)
    : capacity_(std::max<std::size_t>(capacity, 1)) {}

void ReadingHistory::Append(double time, double value) {
    if (samples_.size() == capacity_) {
        samples_.pop_front();
    }
    samples_.push_back({time, IsNoReading(value) ? kNan : value});
}

void ReadingHistory::AppendGap(double time) {
    Append(time, kNan);
}

void ReadingHistory::Clear() {
    samples_.clear();
}

std::vector<Sample> ReadingHistory::Decimate(double begin, double end, int columns) const {
    std::vector<Sample> out;
    if (columns <= 0 || !(end > begin)) {
        return out;
    }
    const auto first = std::lower_bound(samples_.begin(), samples_.end(), begin,
                                        [](const Sample& s, double t) { return s.time < t; });
    const double width = (end - begin) / columns;
    Column column;
    long current = -1;
    for (auto it = first; it != samples_.end() && it->time <= end; ++it) {
        const long index =
            std::min<long>(static_cast<long>((it->time - begin) / width), columns - 1);
        if (index != current) {
            Flush(column, out);
            current = index;
        }
        if (std::isnan(it->value)) {
            Flush(column, out);
            if (out.empty() || !std::isnan(out.back().value)) {
                out.push_back({it->time, kNan});
            }
            continue;
        }
        if (!column.any) {
            column = Column{true, *it, *it};
            continue;
        }
        if (it->value < column.min.value) {
            column.min = *it;
        }
        if (it->value > column.max.value) {
            column.max = *it;
        }
    }
    Flush(column, out);
    return out;
}

}  // namespace sfp
