#pragma once
// The four scan lists LIST1..LIST4, the limit list LISTL and their sample
// timers (one more timer, ALL, is set together with every list).

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace sim {

class ScanLists {
public:
    static constexpr int kListCount = 5;   // LIST1..LIST4, LISTL
    static constexpr int kTimerCount = 6;  // the lists and ALL
    static constexpr int kAllTimers = 5;
    static constexpr double kMinimumSampleTimer = 1e-5;
    static constexpr double kMaximumSampleTimer = 16.3825e-3;

    ScanLists();

    // LIST1..LIST4 give 0..3, LISTL 4; anything else nothing.
    static std::optional<int> listIndex(std::string_view name);
    // The list indices, and ALL for kAllTimers.
    static std::optional<int> timerIndex(std::string_view name);

    void define(int list, std::vector<int> channels);
    const std::vector<int>& channels(int list) const;

    void setAllSampleTimers(double seconds);
    void setSampleTimer(int timer, double seconds);
    double sampleTimer(int timer) const;

    void reset();

private:
    std::array<std::vector<int>, kListCount> lists_;
    std::array<double, kTimerCount> sampleTimers_{};
};

}  // namespace sim
