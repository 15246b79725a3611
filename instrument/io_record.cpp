#include "instrument/io_record.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <utility>

namespace iorecord {
namespace {

// Texts beside the answer are cut too, so that a full ring of the longest
// entries stays under 64 MB: measured, 62 MB for 100 000 slots (168 bytes
// each) and their texts. Each limit is one less than a 16-byte multiple, so
// that with the terminator and the allocator's word a text fills its block.
constexpr std::size_t kSentLimit = 119;
constexpr std::size_t kOriginLimit = 55;
constexpr std::size_t kFunctionLimit = 23;  // the longest driver name is 22

// Copies at most `limit` characters into `to`, keeping its storage; true
// when the text had to be cut. A slot's strings therefore never hold more
// than their limit, and a reused slot allocates nothing.
bool Assign(std::string& to, std::string_view from, std::size_t limit) {
    to.assign(from.substr(0, limit));
    return from.size() > limit;
}

// A slot is held only while one entry is copied in or out; readers skip a
// slot a writer holds, so a writer waits at most for one entry's copy.
struct Slot {
    std::atomic_flag busy = ATOMIC_FLAG_INIT;
    IoEntry entry;

    void Lock() {
        while (busy.test_and_set(std::memory_order_acquire)) {
            std::this_thread::yield();
        }
    }
    bool TryLock() { return !busy.test_and_set(std::memory_order_acquire); }
    void Unlock() { busy.clear(std::memory_order_release); }
};

}  // namespace

// The slots come in chunks made on first use, so that the program's start
// and a record that is never filled do not pay for 100 000 slots at once.
constexpr std::size_t kChunkSlots = 1024;

struct IoRecord::Ring {
    explicit Ring(std::size_t capacity)
        : size(std::max<std::size_t>(capacity, 1)),
          chunkCount((size + kChunkSlots - 1) / kChunkSlots),
          chunks(std::make_unique<std::atomic<Slot*>[]>(chunkCount)) {}
    ~Ring() {
        for (std::size_t chunk = 0; chunk < chunkCount; ++chunk) {
            delete[] chunks[chunk].load(std::memory_order_acquire);
        }
    }
    Ring(const Ring&) = delete;
    Ring& operator=(const Ring&) = delete;

    // The slot of `sequence`, its chunk made when it is the first to be written.
    Slot& WriterSlot(std::uint64_t sequence) {
        const std::size_t index = sequence % size;
        std::atomic<Slot*>& chunk = chunks[index / kChunkSlots];
        Slot* slots = chunk.load(std::memory_order_acquire);
        if (slots == nullptr) {
            auto* fresh = new Slot[kChunkSlots];
            if (chunk.compare_exchange_strong(slots, fresh, std::memory_order_acq_rel)) {
                slots = fresh;
            } else {
                delete[] fresh;  // another writer made it first
            }
        }
        return slots[index % kChunkSlots];
    }
    // Null while the slot's chunk is still being made.
    Slot* ReaderSlot(std::uint64_t sequence) const {
        const std::size_t index = sequence % size;
        Slot* slots = chunks[index / kChunkSlots].load(std::memory_order_acquire);
        return slots == nullptr ? nullptr : &slots[index % kChunkSlots];
    }

    const std::size_t size;
    const std::size_t chunkCount;
    std::unique_ptr<std::atomic<Slot*>[]> chunks;
    std::atomic<std::uint64_t> next{0};         // sequences handed out
    std::atomic<std::uint64_t> clearedUpTo{0};  // sequences forgotten by Clear
    std::atomic<bool> recording{true};
};

IoRecord::IoRecord(std::size_t capacity) : ring_(new Ring(capacity)) {}
IoRecord::~IoRecord() {
    delete ring_;
}

void IoRecord::Append(const IoEntry& entry) {
    IoCall call;
    call.startNs = entry.startNs;
    call.durationNs = entry.durationNs;
    call.thread = entry.thread;
    call.origin = entry.origin;
    call.function = entry.function;
    call.sent = entry.sent;
    call.answer = entry.answer;
    call.status = entry.status;
    Append(call);
}

void IoRecord::Append(const IoCall& call) {
    if (!ring_->recording.load(std::memory_order_relaxed)) {
        return;
    }
    const std::uint64_t sequence = ring_->next.fetch_add(1, std::memory_order_acq_rel) + 1;
    Slot& slot = ring_->WriterSlot(sequence);
    slot.Lock();
    // A slower writer of an older sequence never overwrites a newer one.
    if (slot.entry.sequence < sequence) {
        IoEntry& entry = slot.entry;
        entry.sequence = sequence;
        entry.startNs = call.startNs;
        entry.durationNs = call.durationNs;
        entry.thread = call.thread;
        entry.status = call.status;
        Assign(entry.origin, call.origin, kOriginLimit);
        Assign(entry.function, call.function, kFunctionLimit);
        entry.sentCut = Assign(entry.sent, call.sent, kSentLimit);
        Assign(entry.answer, call.answer, kAnswerLimit);
    }
    slot.Unlock();
}

std::vector<IoEntry> IoRecord::ReadAfter(std::uint64_t afterSequence, std::size_t limit) const {
    std::vector<IoEntry> entries;
    const std::uint64_t last = ring_->next.load(std::memory_order_acquire);
    const std::uint64_t oldestKept = last > ring_->size ? last - ring_->size : 0;
    std::uint64_t from =
        std::max({afterSequence, oldestKept, ring_->clearedUpTo.load(std::memory_order_acquire)});
    for (std::uint64_t sequence = from + 1; sequence <= last && entries.size() < limit;
         ++sequence) {
        Slot* found = ring_->ReaderSlot(sequence);
        if (found == nullptr) {
            break;
        }
        Slot& slot = *found;
        // An entry still being written ends the read; the reader asks again
        // later instead of passing over it.
        if (!slot.TryLock()) {
            break;
        }
        const std::uint64_t held = slot.entry.sequence;
        if (held == sequence) {
            entries.push_back(slot.entry);
        }
        slot.Unlock();
        if (held < sequence) {
            break;
        }
    }
    return entries;
}

bool IoRecord::Read(std::uint64_t sequence, IoEntry& into) const {
    if (sequence < FirstSequence() || sequence > LastSequence()) {
        return false;
    }
    Slot* slot = ring_->ReaderSlot(sequence);
    if (slot == nullptr) {
        return false;
    }
    slot->Lock();
    const bool held = slot->entry.sequence == sequence;
    if (held) {
        into = slot->entry;
    }
    slot->Unlock();
    return held;
}

std::uint64_t IoRecord::FirstSequence() const {
    const std::uint64_t last = ring_->next.load(std::memory_order_acquire);
    const std::uint64_t oldestKept = last > ring_->size ? last - ring_->size : 0;
    return std::max(oldestKept, ring_->clearedUpTo.load(std::memory_order_acquire)) + 1;
}

std::uint64_t IoRecord::LastSequence() const {
    return ring_->next.load(std::memory_order_acquire);
}

void IoRecord::Clear() {
    ring_->clearedUpTo.store(ring_->next.load(std::memory_order_acquire),
                             std::memory_order_release);
}

void IoRecord::SetRecording(bool on) {
    ring_->recording.store(on, std::memory_order_relaxed);
}
bool IoRecord::Recording() const {
    return ring_->recording.load(std::memory_order_relaxed);
}
std::size_t IoRecord::Capacity() const {
    return ring_->size;
}

IoRecord& Record() {
    static IoRecord record;
    return record;
}

namespace {
const std::string noOrigin;
thread_local const std::string* currentOrigin = &noOrigin;
thread_local CallThread currentThread = CallThread::UserInterface;
thread_local FailedCall failedCall;
}  // namespace

void NoteFailedCall(FailedCall call) {
    failedCall = std::move(call);
}
FailedCall TakeFailedCall() {
    return std::exchange(failedCall, FailedCall{});
}

OriginScope::OriginScope(std::string origin) : own_(std::move(origin)), previous_(currentOrigin) {
    currentOrigin = &own_;
}
OriginScope::OriginScope(const std::string* origin) : previous_(currentOrigin) {
    currentOrigin = origin;
}
OriginScope::~OriginScope() {
    currentOrigin = previous_;
}

const std::string& CurrentOrigin() {
    return *currentOrigin;
}
void SetCallThread(CallThread thread) {
    currentThread = thread;
}
CallThread CurrentCallThread() {
    return currentThread;
}

std::string StatusName(std::int32_t status) {
    switch (static_cast<std::uint32_t>(status)) {
        case 0u:
            return "success";
        case 0xBFFF0015u:
            return "time-out";
        case 0xBFFC0D07u:
            return "error queued";
        case 0xBFFC0D0Fu:
            return "busy";
        case 0xBFFF0011u:
            return "resource not found";
        case 0xBFFF000Eu:
            return "invalid session";
        case 0xBFFF001Du:
            return "attribute not supported";
        default:
            return {};
    }
}

}  // namespace iorecord
