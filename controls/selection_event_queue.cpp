#include "controls/selection_event_queue.h"

bool SelectionEventQueue::Push(int event) {
    if (count_ == kCapacity) {
        return false;
    }
    events_[static_cast<std::size_t>(writeIndex_)] = event;
    writeIndex_ = (writeIndex_ + 1) % kCapacity;
    ++count_;
    return true;
}

int SelectionEventQueue::Pop() {
    if (count_ == 0) {
        return selection_events::kNone;
    }
    const int event = events_[static_cast<std::size_t>(readIndex_)];
    readIndex_ = (readIndex_ + 1) % kCapacity;
    --count_;
    return event;
}
