// The I/O record on real threads, without any windowing code (this program
// also runs under the thread sanitizer).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <utility>

#include "instrument/io_record.h"

namespace {

using iorecord::IoEntry;
using iorecord::IoRecord;

IoEntry Entry(const std::string& origin, int index, std::size_t answerLength) {
    IoEntry entry;
    entry.origin = origin;
    entry.function = "qot7720_cmd";
    entry.sent = std::to_string(index);
    entry.answer = std::string(answerLength, 'x');
    return entry;
}

// Two writers flood a small ring while a reader follows it: sequences come out
// in order without gaps among what is kept, each writer's own entries keep
// their order, nothing exceeds the bounds, and the ring never holds more than
// its capacity.
TEST(IoRecord, KeepsOrderAndBoundsUnderTwoWriters) {
    IoRecord record(64);
    constexpr int kPerWriter = 20000;
    std::atomic<int> writersDone{0};
    auto write = [&](const std::string& origin) {
        iorecord::OriginScope scope(origin);
        for (int i = 0; i < kPerWriter; ++i) {
            record.Append(Entry(iorecord::CurrentOrigin(), i, 500));
        }
        ++writersDone;
    };
    std::thread first(write, "A");
    std::thread second(write, "B");

    std::uint64_t after = 0;
    int lastA = -1;
    int lastB = -1;
    auto check = [&](const std::vector<IoEntry>& entries) {
        ASSERT_LE(entries.size(), record.Capacity());
        for (const IoEntry& entry : entries) {
            ASSERT_GT(entry.sequence, after);
            after = entry.sequence;
            ASSERT_EQ(entry.answer.size(), iorecord::kAnswerLimit);
            int& last = entry.origin == "A" ? lastA : lastB;
            const int index = std::stoi(entry.sent);
            ASSERT_GT(index, last) << entry.origin;
            last = index;
        }
    };
    while (writersDone.load() < 2) {
        check(record.ReadAfter(after, 1000));
    }
    first.join();
    second.join();
    check(record.ReadAfter(after, 1000));

    EXPECT_EQ(record.LastSequence(), 2u * kPerWriter);
    EXPECT_EQ(after, record.LastSequence());
    const auto kept = record.ReadAfter(0, 1000000);
    ASSERT_EQ(kept.size(), record.Capacity());
    EXPECT_EQ(kept.front().sequence, record.LastSequence() - record.Capacity() + 1);
    // The writer that finished last wrote the newest entry kept.
    EXPECT_EQ(std::stoi(kept.back().sent), kPerWriter - 1);

    record.Clear();
    EXPECT_TRUE(record.ReadAfter(0, 10).empty());
    record.SetRecording(false);
    record.Append(Entry("C", 0, 1));
    EXPECT_EQ(record.LastSequence(), 2u * kPerWriter);
    record.SetRecording(true);
    record.Append(Entry("C", 1, 1));
    const auto fresh = record.ReadAfter(0, 10);
    ASSERT_EQ(fresh.size(), 1u);
    EXPECT_EQ(fresh.front().sequence, 2u * kPerWriter + 1);
}

TEST(IoRecord, OriginScopesNestAndStatusesHaveNames) {
    EXPECT_EQ(iorecord::CurrentOrigin(), "");
    {
        iorecord::OriginScope outer("Input/Output · Send All");
        {
            iorecord::OriginScope inner("System · Self Test");
            EXPECT_EQ(iorecord::CurrentOrigin(), "System · Self Test");
        }
        EXPECT_EQ(iorecord::CurrentOrigin(), "Input/Output · Send All");
    }
    EXPECT_EQ(iorecord::CurrentOrigin(), "");
    EXPECT_EQ(iorecord::StatusName(static_cast<std::int32_t>(0xBFFF0015u)), "time-out");
    EXPECT_EQ(iorecord::StatusName(static_cast<std::int32_t>(0xBFFC0D07u)), "error queued");
    EXPECT_EQ(iorecord::StatusName(12345), "");
}

}  // namespace

// A call's times come back as steady-clock nanoseconds from the record's own
// clock, and a text cut to its limit stays whole characters.
TEST(IoRecord, TimesReadBackInNanosecondsAndCutTextsStayWhole) {
    IoRecord record(8);
    const auto steadyNs = [] {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
    const std::int64_t before = steadyNs();
    iorecord::IoCall call;
    call.startTicks = iorecord::ClockTicks();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    call.endTicks = iorecord::ClockTicks();
    const std::string origin = std::string(54, 'o') + "\u00b7 Send All";  // the dot is 2 bytes
    call.origin = origin;
    record.Append(call);

    IoEntry entry;
    ASSERT_TRUE(record.Read(record.LastSequence(), entry));
    EXPECT_GE(entry.startNs, before - 1000000);
    EXPECT_LE(entry.startNs, before + 5000000);
    EXPECT_GE(entry.durationNs, 19000000);
    EXPECT_LT(entry.durationNs, 200000000);
    EXPECT_EQ(entry.origin, std::string(54, 'o')) << "not half of the dot";
    EXPECT_FALSE(record.Read(record.LastSequence() + 1, entry));
}

// Numbers kept as numbers on the caller's path read back as the texts the
// monitor shows, a block as its count and first values, whatever its size.
TEST(IoRecord, NumberAnswersReadBackAsText) {
    IoRecord record(8);
    const double block[] = {1.5, 2.0, 0.25, -3.0, 9.91e37, 7.0};
    const std::pair<iorecord::AnswerNumbers, std::string> answers[] = {
        {iorecord::AnswerNumbers::Integer(-5), "-5"},
        {iorecord::AnswerNumbers::Real(0.1), "0.1"},
        {iorecord::AnswerNumbers::Values(block, 6), "6 values: 1.5, 2, 0.25, -3, ..."},
        {iorecord::AnswerNumbers::Values(block + 5, 1), "1 value: 7"},
        {iorecord::AnswerNumbers::Values(block, 0), "0 values"},
        {iorecord::AnswerNumbers::Values(nullptr, -2), "0 values"},
    };
    for (const auto& [numbers, text] : answers) {
        iorecord::IoCall call;
        call.answer = "not this";
        call.numbers = numbers;
        record.Append(call);
        IoEntry entry;
        ASSERT_TRUE(record.Read(record.LastSequence(), entry));
        EXPECT_EQ(entry.answer, text);
    }
}
