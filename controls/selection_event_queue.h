#pragma once
// The channel selector's queue of pending SelectionEvents: room for three,
// oldest first; a push onto a full queue is lost.

#include <array>

namespace selection_events {
constexpr int kNone = 0;  // what a pop of an empty queue returns
constexpr int kSingleChannelMode = -1;
constexpr int kMultipleChannelMode = -2;
constexpr int kManualEnter = -3;  // Enter in the manual-entry edit
constexpr int kManualEntryMode = -4;
// k >= 1: the channel with offset k - 1 (number 100 + k - 1) was chosen.
constexpr int ChannelChosen(int offset) {
    return offset + 1;
}
}  // namespace selection_events

class SelectionEventQueue {
public:
    static constexpr int kCapacity = 3;

    // False (and the event dropped) when three are pending.
    bool Push(int event);
    // The oldest pending event, or selection_events::kNone.
    int Pop();
    int Count() const { return count_; }

private:
    std::array<int, kCapacity> events_{};
    int writeIndex_ = 0;
    int readIndex_ = 0;
    int count_ = 0;
};
