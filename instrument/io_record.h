#pragma once
// The I/O record: every call the instrument makes (live driver calls and the
// emulated instrument's operations), kept in one bounded ring for the tool
// windows to show. Qt-free so that the thread sanitizer run covers it.
// Writers never block on readers and never wait for the record's owner.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace iorecord {

// Which thread made a call; set once per thread by the code that starts it.
enum class CallThread : std::uint8_t { UserInterface, ReadingWorker, LongOperation };

struct IoEntry {
    std::uint64_t sequence = 0;   // position in the record, from 1, never reused
    std::int64_t startNs = 0;     // steady clock, since the clock's epoch
    std::int64_t durationNs = 0;  // time inside the call
    CallThread thread = CallThread::UserInterface;
    std::string origin;       // "Input/Output · :FILT:FREQ Enter"
    std::string function;     // "qot7720_cmd", "readCVT_Q", "emulated"...
    std::string sent;         // SCPI text, or "first 0, count 10"
    std::string answer;       // cut at kAnswerLimit characters
    std::int32_t status = 0;  // the driver's status, 0 when it succeeded
    bool sentCut = false;     // `sent` was longer than the record keeps
};

// An answer made of numbers, kept as numbers on the caller's path: the
// record turns them into text only when the entry is read, since turning a
// block of doubles into text costs more than the rest of recording the call.
struct AnswerNumbers {
    enum class Kind : std::uint8_t { None, Integer, Real, Values };
    static AnswerNumbers Integer(std::int64_t value);
    static AnswerNumbers Real(double value);
    // A block of `count` values: its count and first few (ValuesText). The
    // values are the caller's and are read only while the call is recorded.
    static AnswerNumbers Values(const double* values, int count);

    Kind kind = Kind::None;
    std::int64_t integer = 0;
    double real = 0.0;
    const double* values = nullptr;
    int count = 0;
};

// What the record shows of a block of values: the count and the first few,
// "10 values: 1.5, 2, 0.25, 3, ...".
constexpr int kValuesShown = 4;
std::string ValuesText(const double* values, int count);

// One call as the caller has it, without copies: what Append(IoCall) reads.
// Its times are the record's clock ticks (ClockTicks), which the record
// turns into nanoseconds only when an entry is read.
struct IoCall {
    std::int64_t startTicks = 0;
    std::int64_t endTicks = 0;
    CallThread thread = CallThread::UserInterface;
    std::string_view origin;
    std::string_view function;
    std::string_view sent;
    std::string_view answer;  // unless `numbers` holds the answer
    AnswerNumbers numbers;
    std::int32_t status = 0;
};

// A call's answer as a guarded call hands it on: a text, or numbers.
struct IoAnswer {
    IoAnswer() = default;
    // Implicit, so that an operation's answer is written as its text or its numbers.
    IoAnswer(std::string text) : text(std::move(text)) {}  // NOLINT(google-explicit-constructor)
    IoAnswer(AnswerNumbers numbers) : numbers(numbers) {}  // NOLINT(google-explicit-constructor)
    std::string text;
    AnswerNumbers numbers;
};

// The record's clock: a raw count that is cheap to read on the caller's path
// (the processor's time-stamp counter where there is one, else the steady
// clock's nanoseconds).
std::int64_t ClockTicks();
// A tick count as the steady clock's nanoseconds since its epoch.
std::int64_t TicksToNs(std::int64_t ticks);

constexpr std::size_t kDefaultCapacity = 100000;
constexpr std::size_t kAnswerLimit = 200;

class IoRecord {
public:
    explicit IoRecord(std::size_t capacity = kDefaultCapacity);
    ~IoRecord();
    IoRecord(const IoRecord&) = delete;
    IoRecord& operator=(const IoRecord&) = delete;

    // Stores `entry` (its sequence is assigned here); the oldest entry goes
    // when the ring is full. Does nothing while recording is off.
    void Append(const IoEntry& entry);
    // The same from views: the texts are copied into the slot's own
    // storage, which a full ring reuses, so a steady writer allocates nothing.
    void Append(const IoCall& call);

    // Entries with a sequence above `afterSequence`, oldest first, at most
    // `limit` of them; entries already overwritten are skipped.
    std::vector<IoEntry> ReadAfter(std::uint64_t afterSequence, std::size_t limit) const;
    // The entry of `sequence` copied into `into` (whose strings keep their
    // storage); false when it was cleared, overwritten or never written.
    // Waits at most for one entry's copy by a writer.
    bool Read(std::uint64_t sequence, IoEntry& into) const;
    // The oldest sequence still held (LastSequence() + 1 when none is).
    std::uint64_t FirstSequence() const;

    // The sequence the newest entry got (0 when nothing was recorded yet).
    std::uint64_t LastSequence() const;
    // Forgets every entry; sequences keep counting up.
    void Clear();
    void SetRecording(bool on);
    bool Recording() const;
    std::size_t Capacity() const;

private:
    struct Ring;
    Ring* ring_;
};

// The program's one record.
IoRecord& Record();

// The origin of the calls made on this thread while the scope lives: set once
// where an action starts (a page's handler frame, the failure scope, a system
// operation). An inner scope replaces the outer one until it ends.
class OriginScope {
public:
    explicit OriginScope(std::string origin);
    // An origin that outlives the scope, used without a copy: for code that
    // runs many times a second.
    explicit OriginScope(const std::string* origin);
    ~OriginScope();
    OriginScope(const OriginScope&) = delete;
    OriginScope& operator=(const OriginScope&) = delete;

private:
    std::string own_;
    const std::string* previous_;
};

// This thread's current origin, empty outside every scope.
const std::string& CurrentOrigin();

// Marks the calling thread for the record; the user-interface thread is the
// default.
void SetCallThread(CallThread thread);
CallThread CurrentCallThread();

// The calling thread's last failed call, kept whether or not the record is
// on, so that the report of the failure can say what was being done.
struct FailedCall {
    std::string function;
    std::string sent;
    std::string origin;
};
void NoteFailedCall(FailedCall call);
// The note, which it clears; an empty function when no call failed since.
FailedCall TakeFailedCall();

// The name the program knows for a status ("time-out", "error queued",
// "busy"...), empty when it knows none.
std::string StatusName(std::int32_t status);

}  // namespace iorecord
