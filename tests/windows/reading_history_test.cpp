#include "windows/reading_history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace sfp {
namespace {

// A noisy signal with single-sample spikes: every column's extremes must
// survive decimation, and gaps must stay breaks in the line.
TEST(ReadingHistory, DecimationKeepsEveryExtremeAndEveryGap) {
    ReadingHistory history(1, 100000);
    const int columns = 50;
    const int perColumn = 200;
    for (int i = 0; i < columns * perColumn; ++i) {
        double value = std::sin(i * 0.37) + 0.001 * (i % 7);
        if (i % 977 == 0) {
            value = 50.0 + i;  // a spike
        }
        if (i % 1499 == 0) {
            value = -40.0 - i;  // a dip
        }
        if (i == 4321) {
            history.Append(i, {ReadingHistory::kNoReading});
            continue;
        }
        history.Append(i, {value});
    }
    const auto points = history.Decimate({0}, 0, columns * perColumn, columns)[0];
    EXPECT_LE(points.size(), static_cast<std::size_t>(columns * 2 + 4));

    std::vector<ReadingHistory::Sample> all;
    for (std::size_t i = 0; i < history.Size(); ++i) {
        all.push_back({history.TimeAt(i), history.ValueAt(0, i)});
    }
    for (int c = 0; c < columns; ++c) {
        double lo = INFINITY;
        double hi = -INFINITY;
        for (const auto& s : all) {
            if (s.time >= c * perColumn && s.time < (c + 1) * perColumn && !std::isnan(s.value)) {
                lo = std::min(lo, s.value);
                hi = std::max(hi, s.value);
            }
        }
        const auto has = [&](double v) {
            return std::any_of(points.begin(), points.end(),
                               [&](const auto& p) { return p.value == v; });
        };
        EXPECT_TRUE(has(lo)) << "column " << c;
        EXPECT_TRUE(has(hi)) << "column " << c;
    }
    const auto gap = std::find_if(points.begin(), points.end(),
                                  [](const auto& p) { return std::isnan(p.value); });
    ASSERT_NE(gap, points.end());
    EXPECT_DOUBLE_EQ(gap->time, 4321);
    EXPECT_TRUE(std::is_sorted(points.begin(), points.end(),
                               [](const auto& a, const auto& b) { return a.time < b.time; }));
}

TEST(ReadingHistory, BoundedDropsOldestAndNoReadingIsAGap) {
    ReadingHistory history(2, 3);
    for (int i = 0; i < 5; ++i) {
        history.Append(i, {i == 4 ? 9.91e37 : i});
    }
    ASSERT_EQ(history.Size(), 3u);
    EXPECT_EQ(history.TimeAt(0), 2);
    EXPECT_EQ(history.ValueAt(0, 1), 3);
    EXPECT_TRUE(std::isnan(history.ValueAt(0, 2)));
    EXPECT_TRUE(std::isnan(history.ValueAt(1, 0)));  // past the values given: no reading
}

}  // namespace
}  // namespace sfp

namespace sfp {
namespace {

// After the oldest samples have made room, columns decimated from summaries
// of whole blocks must still give the extremes of the samples held, and
// nothing older.
TEST(ReadingHistory, ExtremesStayExactAfterTheOldestHaveGone) {
    ReadingHistory history(1, 1000);
    for (int i = 0; i < 5037; ++i) {
        history.Append(i, {std::fmod(i * 7919.0, 1009.0) - (i == 4500 ? 5000.0 : 0.0)});
    }
    const double first = history.TimeAt(0);
    const double last = history.TimeAt(history.Size() - 1);
    for (const int columns : {1, 3, 7}) {
        const auto points = history.Decimate({0}, first, last, columns)[0];
        const double width = (last - first) / columns;
        for (int c = 0; c < columns; ++c) {
            double lo = INFINITY;
            double hi = -INFINITY;
            for (std::size_t i = 0; i < history.Size(); ++i) {
                const double time = history.TimeAt(i);
                const int at = std::min(columns - 1, static_cast<int>((time - first) / width));
                if (at == c) {
                    lo = std::min(lo, history.ValueAt(0, i));
                    hi = std::max(hi, history.ValueAt(0, i));
                }
            }
            std::vector<double> mine;
            for (const auto& p : points) {
                const int at = std::min(columns - 1, static_cast<int>((p.time - first) / width));
                if (at == c) {
                    mine.push_back(p.value);
                }
            }
            ASSERT_EQ(mine.size(), 2u) << columns << " columns, column " << c;
            EXPECT_EQ(*std::min_element(mine.begin(), mine.end()), lo);
            EXPECT_EQ(*std::max_element(mine.begin(), mine.end()), hi);
        }
    }
}

}  // namespace
}  // namespace sfp

namespace sfp {
namespace {

// A long history that has wrapped its ring, decimated over wide columns from
// every level of the summaries: each spike and dip, wherever it falls against
// the columns, survives; both outages are breaks, and once thinned to one
// pixel per column only the one wider than a pixel still is; the thinned line
// passes within half a pixel of every decimated point.
TEST(ReadingHistory, SummariesKeepEverySpikeAndThinningKeepsEveryPixel) {
    ReadingHistory history(2, 300000);
    std::uint32_t state = 12345;
    std::vector<double> spikes;
    for (int i = 0; i < 331111; ++i) {
        state = state * 1664525u + 1013904223u;
        double value = static_cast<double>(state >> 8) / (1 << 24);  // 0 to 1
        const bool outage = (i >= 200000 && i < 220000) || (i >= 100000 && i < 100050);
        if (i % 7919 == 0) {
            value = i % 2 == 0 ? 10.0 + i * 1e-6 : -10.0 - i * 1e-6;
            if (i >= 331111 - 300000 && !outage) {
                spikes.push_back(value);
            }
        }
        history.Append(i * 0.1,
                       {outage ? ReadingHistory::kNoReading : value, 10.0 * std::sin(i * 2e-5)});
    }
    const double first = history.TimeAt(0);
    const double last = history.TimeAt(history.Size() - 1);
    const int columns = 37;
    const auto points = history.Decimate({0}, first, last, columns)[0];
    ASSERT_LE(points.size(), static_cast<std::size_t>(2 * columns + 4));
    EXPECT_TRUE(std::is_sorted(points.begin(), points.end(),
                               [](const auto& a, const auto& b) { return a.time < b.time; }));
    for (const double spike : spikes) {
        EXPECT_TRUE(std::any_of(points.begin(), points.end(), [&](const auto& p) {
            return p.value == spike;
        })) << spike;
    }
    const auto breaks = [](const std::vector<ReadingHistory::Sample>& line) {
        std::vector<double> times;
        for (const auto& p : line) {
            if (std::isnan(p.value)) {
                times.push_back(p.time);
            }
        }
        return times;
    };
    EXPECT_EQ(breaks(points), (std::vector<double>{10000.0, 20000.0}));

    const double pixelsPerSecond = columns / (last - first);
    const double pixelsPerUnit = 400.0 / 21.0;
    const auto thin = ReadingHistory::Thin(points, pixelsPerSecond, pixelsPerUnit);
    EXPECT_EQ(breaks(thin), (std::vector<double>{20000.0}));

    // Every decimated point lies within half a pixel of the thinned line.
    const auto expectWithinHalfAPixel = [&](const std::vector<ReadingHistory::Sample>& given,
                                            const std::vector<ReadingHistory::Sample>& drawn) {
        for (const auto& point : given) {
            if (std::isnan(point.value)) {
                continue;
            }
            const auto after = std::find_if(drawn.begin(), drawn.end(),
                                            [&](const auto& p) { return p.time >= point.time; });
            ASSERT_NE(after, drawn.end());
            double height = after->value;
            if (after->time != point.time) {
                ASSERT_NE(after, drawn.begin());
                const auto before = after - 1;
                const double share = (point.time - before->time) / (after->time - before->time);
                height = before->value + share * (after->value - before->value);
            }
            EXPECT_LE(std::fabs(height - point.value) * pixelsPerUnit, 0.5 + 1e-9) << point.time;
        }
    };
    expectWithinHalfAPixel(points, thin);

    // A smooth line thins to a few segments, drawn as before.
    const auto smooth = history.Decimate({1}, first, last, columns * 8)[0];
    const auto thinned = ReadingHistory::Thin(smooth, pixelsPerSecond * 8, pixelsPerUnit);
    EXPECT_LT(thinned.size() * 3, smooth.size());
    expectWithinHalfAPixel(smooth, thinned);
}

// A decimation kept from before must not stand for columns whose samples
// changed: readings added at the end, and the oldest dropped from a full ring,
// give what a history holding those samples alone gives.
TEST(ReadingHistory, KeptColumnsFollowNewAndDroppedReadings) {
    const std::size_t capacity = 5000;
    const auto value = [](int i) { return i % 613 == 0 ? 80.0 : std::sin(i * 0.05) * (i % 5); };
    ReadingHistory kept(1, capacity);
    const auto fill = [&](ReadingHistory& history, int from, int to) {
        for (int i = from; i < to; ++i) {
            if (i % 1777 == 0) {
                history.AppendGap(i);
            } else {
                history.Append(i, {value(i)});
            }
        }
    };
    fill(kept, 0, 4000);
    const double begin = 0;
    const double end = 9000;
    const int columns = 90;
    kept.Decimate({0}, begin, end, columns);
    for (const int to : {4003, 5000, 5001, 6500}) {
        ReadingHistory fresh(1, capacity);
        fill(fresh, 0, to);
        fill(kept, static_cast<int>(kept.TimeAt(kept.Size() - 1)) + 1, to);
        const auto expected = fresh.Decimate({0}, begin, end, columns)[0];
        const auto got = kept.Decimate({0}, begin, end, columns)[0];
        ASSERT_EQ(got.size(), expected.size()) << "after " << to << " readings";
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].time, expected[i].time) << i;
            EXPECT_TRUE(got[i].value == expected[i].value ||
                        (std::isnan(got[i].value) && std::isnan(expected[i].value)))
                << i;
        }
    }
}

}  // namespace
}  // namespace sfp
