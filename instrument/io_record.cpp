#include "instrument/io_record.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace iorecord {
namespace {

std::int64_t SteadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

#if defined(__x86_64__) || defined(__i386__)
constexpr bool kCountsTicks = true;
std::int64_t RawTicks() {
    return static_cast<std::int64_t>(__rdtsc());
}
#else
constexpr bool kCountsTicks = false;
std::int64_t RawTicks() {
    return SteadyNs();
}
#endif

// Ticks and nanoseconds read together at the start; the scale between them
// is measured over everything since then, so it only gets more exact.
struct Anchor {
    std::int64_t ticks = RawTicks();
    std::int64_t ns = SteadyNs();
};
const Anchor start;

std::atomic<double> nsPerTick{0.0};
std::atomic<std::int64_t> scaleTakenAt{0};

double NsPerTick() {
    if (!kCountsTicks) {
        return 1.0;
    }
    // Measured again at most every 2^26 ticks (tens of milliseconds).
    constexpr std::int64_t kRefreshTicks = std::int64_t{1} << 26;
    const std::int64_t now = RawTicks();
    const std::int64_t taken = scaleTakenAt.load(std::memory_order_acquire);
    if (taken != 0 && now - taken < kRefreshTicks) {
        return nsPerTick.load(std::memory_order_relaxed);
    }
    // A span under a millisecond would let the reads' own jitter show.
    constexpr std::int64_t kShortestSpanNs = 1000000;
    const std::int64_t sinceStart = SteadyNs() - start.ns;
    if (sinceStart < kShortestSpanNs) {
        std::this_thread::sleep_for(std::chrono::nanoseconds(kShortestSpanNs - sinceStart));
    }
    const std::int64_t ticks = RawTicks();
    const double scale = static_cast<double>(SteadyNs() - start.ns) /
                         static_cast<double>(std::max<std::int64_t>(ticks - start.ticks, 1));
    nsPerTick.store(scale, std::memory_order_relaxed);
    scaleTakenAt.store(ticks, std::memory_order_release);
    return scale;
}

std::int64_t NsToTicks(std::int64_t ns) {
    return start.ticks + std::llround(static_cast<double>(ns - start.ns) / NsPerTick());
}

}  // namespace

std::int64_t ClockTicks() {
    return RawTicks();
}

std::int64_t TicksToNs(std::int64_t ticks) {
    return start.ns + std::llround(static_cast<double>(ticks - start.ticks) * NsPerTick());
}

AnswerNumbers AnswerNumbers::Integer(std::int64_t value) {
    AnswerNumbers numbers;
    numbers.kind = Kind::Integer;
    numbers.integer = value;
    return numbers;
}

AnswerNumbers AnswerNumbers::Real(double value) {
    AnswerNumbers numbers;
    numbers.kind = Kind::Real;
    numbers.real = value;
    return numbers;
}

AnswerNumbers AnswerNumbers::Values(const double* values, int count) {
    AnswerNumbers numbers;
    numbers.kind = Kind::Values;
    numbers.values = values;
    numbers.count = count;
    return numbers;
}

// Built in one buffer: the record's reader formats a block for every cycle.
std::string ValuesText(const double* values, int count) {
    std::array<char, 160> text{};
    char* at = text.data();
    char* const end = text.data() + text.size();
    at = std::to_chars(at, end, count).ptr;
    const std::string_view unit = count == 1 ? " value" : " values";
    at = std::copy(unit.begin(), unit.end(), at);
    for (int index = 0; index < std::min(count, kValuesShown); ++index) {
        *at++ = index == 0 ? ':' : ',';
        *at++ = ' ';
        at = std::to_chars(at, end, values[index]).ptr;  // at most 24 characters
    }
    const std::string_view more = count > kValuesShown ? ", ..." : "";
    at = std::copy(more.begin(), more.end(), at);
    return std::string(text.data(), at);
}

namespace {

// Texts beside the answer are cut too, so that the ring's size is fixed: a
// slot holds its texts inline (no allocation, no string bookkeeping on the
// caller's path), 448 bytes, so the 131 072 slots of the default ring take
// 59 MB.
constexpr std::size_t kSentLimit = 119;
constexpr std::size_t kOriginLimit = 55;
constexpr std::size_t kFunctionLimit = 23;  // the longest driver name is 22

// At most `limit` bytes of `from`, cut at a character's start so that a cut
// text is still valid UTF-8.
std::size_t CutLength(std::string_view from, std::size_t limit) {
    if (from.size() <= limit) {
        return from.size();
    }
    std::size_t length = limit;
    while (length > 0 && (static_cast<unsigned char>(from[length]) & 0xC0u) == 0x80u) {
        --length;
    }
    return length;
}

// Most texts are a few dozen bytes: two overlapping copies of a fixed size
// cost a few instructions, where a general copy's start-up costs more than
// the bytes it moves.
void CopyShortText(char* to, const char* from, std::size_t length) {
    if (length > 32) {
        std::memcpy(to, from, length);
    } else if (length >= 16) {
        std::memcpy(to, from, 16);
        std::memcpy(to + length - 16, from + length - 16, 16);
    } else if (length >= 8) {
        std::memcpy(to, from, 8);
        std::memcpy(to + length - 8, from + length - 8, 8);
    } else if (length >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + length - 4, from + length - 4, 4);
    } else {
        for (std::size_t at = 0; at < length; ++at) {
            to[at] = from[at];
        }
    }
}

// Copies at most `Limit` bytes of `from` into `to`; true when it had to cut.
template <std::size_t Limit>
bool SetText(char (&to)[Limit], std::uint8_t& size, std::string_view from) {
    const std::size_t length = CutLength(from, Limit);
    CopyShortText(to, from.data(), length);  // an empty view may hold no pointer: nothing is read
    size = static_cast<std::uint8_t>(length);
    return length < from.size();
}
static_assert(kAnswerLimit <= 255, "an inline text's size is one byte");

std::string RealText(double value) {
    std::array<char, 32> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    return std::string(text.data(), result.ptr);
}

// An answer's numbers in the bytes that would hold its text: a block keeps
// its count and its first few values, all that its text shows.
std::uint8_t StoreNumbers(char (&to)[kAnswerLimit], const AnswerNumbers& numbers) {
    switch (numbers.kind) {
        case AnswerNumbers::Kind::Integer:
            std::memcpy(to, &numbers.integer, sizeof numbers.integer);
            return sizeof numbers.integer;
        case AnswerNumbers::Kind::Real:
            std::memcpy(to, &numbers.real, sizeof numbers.real);
            return sizeof numbers.real;
        case AnswerNumbers::Kind::Values: {
            const std::int32_t count = std::max(numbers.count, 0);
            const std::size_t shown = static_cast<std::size_t>(std::min(count, kValuesShown));
            std::memcpy(to, &count, sizeof count);
            if (shown > 0) {
                std::memcpy(to + sizeof count, numbers.values, shown * sizeof(double));
            }
            return static_cast<std::uint8_t>(sizeof count + shown * sizeof(double));
        }
        case AnswerNumbers::Kind::None:
            break;
    }
    return 0;
}
static_assert(sizeof(std::int32_t) + kValuesShown * sizeof(double) <= kAnswerLimit,
              "a block's first values fit where its text would");

std::string NumbersText(const char* from, AnswerNumbers::Kind kind) {
    switch (kind) {
        case AnswerNumbers::Kind::Integer: {
            std::int64_t value = 0;
            std::memcpy(&value, from, sizeof value);
            return std::to_string(value);
        }
        case AnswerNumbers::Kind::Real: {
            double value = 0.0;
            std::memcpy(&value, from, sizeof value);
            return RealText(value);
        }
        case AnswerNumbers::Kind::Values: {
            std::int32_t count = 0;
            std::memcpy(&count, from, sizeof count);
            std::array<double, kValuesShown> values{};
            const auto shown = static_cast<std::size_t>(std::min(count, kValuesShown));
            std::memcpy(values.data(), from + sizeof count, shown * sizeof(double));
            return ValuesText(values.data(), count);
        }
        case AnswerNumbers::Kind::None:
            break;
    }
    return {};
}

// The sizes sit with the fixed fields and the short texts first, so that a
// usual call (a short command, no long answer) writes the slot's first two
// or three cache lines only.
struct StoredEntry {
    std::uint64_t sequence = 0;
    std::int64_t startTicks = 0;
    std::int64_t endTicks = 0;
    std::int32_t status = 0;
    CallThread thread = CallThread::UserInterface;
    bool sentCut = false;
    AnswerNumbers::Kind answerKind = AnswerNumbers::Kind::None;
    std::uint8_t originSize = 0;
    std::uint8_t functionSize = 0;
    std::uint8_t sentSize = 0;
    std::uint8_t answerSize = 0;
    char origin[kOriginLimit];
    char function[kFunctionLimit];
    char sent[kSentLimit];
    char answer[kAnswerLimit];

    void CopyTo(IoEntry& entry) const {
        entry.sequence = sequence;
        entry.startNs = TicksToNs(startTicks);
        entry.durationNs = TicksToNs(endTicks) - entry.startNs;
        entry.thread = thread;
        entry.status = status;
        entry.sentCut = sentCut;
        entry.origin.assign(origin, originSize);
        entry.function.assign(function, functionSize);
        entry.sent.assign(sent, sentSize);
        if (answerKind == AnswerNumbers::Kind::None) {
            entry.answer.assign(answer, answerSize);
        } else {
            entry.answer = NumbersText(answer, answerKind);
        }
    }
};

// A slot is held only while one entry is copied in or out, so a writer or a
// reader waits at most for one entry's copy.
struct alignas(64) Slot {
    std::atomic_flag busy = ATOMIC_FLAG_INIT;
    StoredEntry entry;

    void Lock() {
        while (busy.test_and_set(std::memory_order_acquire)) {
            std::this_thread::yield();
        }
    }
    void Unlock() { busy.clear(std::memory_order_release); }
};
static_assert(sizeof(Slot) <= 448, "a full ring of the default size stays under 64 MB");

// A full ring is larger than the processor's caches: each new slot would be
// fetched from memory while the caller waits. Asked for some calls ahead
// (one ahead is too late for calls that follow each other closely), a
// slot's first lines are there when its call is recorded.
constexpr std::uint64_t kPrefetchAhead = 8;
void PrefetchForWrite(const Slot* slot) {
#if defined(__GNUC__)
    const char* const lines = reinterpret_cast<const char*>(slot);
    __builtin_prefetch(lines, 1);
    __builtin_prefetch(lines + 64, 1);
    __builtin_prefetch(lines + 128, 1);
#else
    static_cast<void>(slot);
#endif
}

}  // namespace

std::size_t PowerOfTwoAtLeast(std::size_t count) {
    std::size_t power = 1;
    while (power < count) {
        power <<= 1;
    }
    return power;
}

// The slots come in chunks made on first use, so that the program's start
// and a record that is never filled do not pay for 100 000 slots at once.
constexpr std::size_t kChunkSlots = 1024;

struct IoRecord::Ring {
    explicit Ring(std::size_t capacity)
        : size(std::max<std::size_t>(capacity, 1)),
          slotCount(PowerOfTwoAtLeast(size)),
          chunkCount((slotCount + kChunkSlots - 1) / kChunkSlots),
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
        const std::size_t index = sequence & (slotCount - 1);
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
        const std::size_t index = sequence & (slotCount - 1);
        Slot* slots = chunks[index / kChunkSlots].load(std::memory_order_acquire);
        return slots == nullptr ? nullptr : &slots[index % kChunkSlots];
    }

    const std::size_t size;
    // The slots are a power of two, so that finding one costs a mask rather
    // than a division on the caller's path; the ones beyond `size` only
    // hold entries that the record no longer shows.
    const std::size_t slotCount;
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
    call.startTicks = NsToTicks(entry.startNs);
    call.endTicks = NsToTicks(entry.startNs + entry.durationNs);
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
        StoredEntry& entry = slot.entry;
        entry.sequence = sequence;
        entry.startTicks = call.startTicks;
        entry.endTicks = call.endTicks;
        entry.thread = call.thread;
        entry.status = call.status;
        SetText(entry.origin, entry.originSize, call.origin);
        SetText(entry.function, entry.functionSize, call.function);
        entry.sentCut = SetText(entry.sent, entry.sentSize, call.sent);
        entry.answerKind = call.numbers.kind;
        if (call.numbers.kind == AnswerNumbers::Kind::None) {
            SetText(entry.answer, entry.answerSize, call.answer);
        } else {
            entry.answerSize = StoreNumbers(entry.answer, call.numbers);
        }
    }
    slot.Unlock();
    if (const Slot* next = ring_->ReaderSlot(sequence + kPrefetchAhead)) {
        PrefetchForWrite(next);
    }
}

std::vector<IoEntry> IoRecord::ReadAfter(std::uint64_t afterSequence, std::size_t limit) const {
    std::vector<IoEntry> entries;
    const std::uint64_t last = LastSequence();
    IoEntry entry;
    for (std::uint64_t sequence = std::max(afterSequence + 1, FirstSequence());
         sequence <= last && entries.size() < limit; ++sequence) {
        if (Read(sequence, entry)) {
            entries.push_back(entry);
            continue;
        }
        // An entry not written yet ends the read, so that the reader asks
        // again later instead of passing over it; one overwritten meanwhile
        // is gone.
        if (sequence >= FirstSequence()) {
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
        slot->entry.CopyTo(into);
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
