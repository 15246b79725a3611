// The auto-update worker on a real thread against a session that measures for
// a while, without any windowing code (this program also runs under the
// thread sanitizer).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/main_panel_state.h"
#include "app/reading_worker.h"
#include "instrument/instrument_session.h"
#include "instrument/user_exception.h"

namespace {

// Measures for `pollsPerMeasurement` condition queries after each Initiate;
// flags any two calls that overlap, which instrumentLock must prevent.
class MeasuringSession : public InstrumentSession {
public:
    int pollsPerMeasurement = 3;
    std::atomic<bool> failReads{false};
    // What a failed read leaves for GetLastStatus, on the thread that failed only.
    static constexpr int kReadFailure = -1073807360;
    std::atomic<int> initiates{0};
    std::atomic<int> aborts{0};
    std::atomic<int> triggers{0};
    std::atomic<int> overlaps{0};

    int QueryOperationCondition() override {
        Call call(*this);
        const int left = pollsLeft_.load();
        if (left > 0) {
            pollsLeft_.store(left - 1);
            return kMeasuringBit;
        }
        return 0;
    }
    std::optional<std::vector<double>> ReadCvt(int first, int count) override {
        Call call(*this);
        if (failReads.load()) {
            failedOn_ = std::this_thread::get_id();
            throw UserException{};
        }
        std::vector<double> values;
        for (int i = 0; i < count; ++i) {
            values.push_back(first + i + 0.5);
        }
        return values;
    }
    void Initiate() override {
        Call call(*this);
        initiates.fetch_add(1);
        pollsLeft_.store(pollsPerMeasurement);
    }
    void AbortMeasurement() override {
        Call call(*this);
        aborts.fetch_add(1);
    }
    void TriggerImmediate() override {
        Call call(*this);
        triggers.fetch_add(1);
    }
    void MeasureForever() { pollsLeft_.store(1 << 30); }
    int GetLastStatus() override {
        return std::this_thread::get_id() == failedOn_ ? kReadFailure : 0;
    }

private:
    struct Call {
        explicit Call(MeasuringSession& session) : session_(session) {
            if (session_.inside_.fetch_add(1) != 0) {
                session_.overlaps.fetch_add(1);
            }
        }
        ~Call() { session_.inside_.fetch_sub(1); }
        MeasuringSession& session_;
    };

    std::atomic<int> pollsLeft_{0};
    std::thread::id failedOn_;
    std::atomic<int> inside_{0};
};

class ReadingWorkerTest : public ::testing::Test {
protected:
    void SetUp() override { stopWorker.store(0); }

    void RunCycle() {
        std::thread worker([this] { RunReadingWorker(state, session); });
        worker.join();
    }

    MainPanelState state;
    MeasuringSession session;
};

}  // namespace

TEST_F(ReadingWorkerTest, ACycleReadsTheShownElementsAndRestartsTheMeasurement) {
    state.baseChannel.store(100);
    session.Initiate();
    RunCycle();
    EXPECT_EQ(state.workerState.load(), kWorkerValuesReady);
    EXPECT_EQ(state.readings[0].load(), 100.5);
    EXPECT_EQ(state.readings[9].load(), 109.5);
    EXPECT_EQ(session.initiates.load(), 2);
    EXPECT_EQ(session.aborts.load(), 0);
}

TEST_F(ReadingWorkerTest, AStopRequestAbortsTheMeasurement) {
    session.MeasureForever();
    std::thread worker([this] { RunReadingWorker(state, session); });
    while (state.workerState.load() != kWorkerRunning) {
        std::this_thread::yield();
    }
    stopWorker.store(1);
    worker.join();
    EXPECT_EQ(state.workerState.load(), kWorkerIdle);
    EXPECT_EQ(session.aborts.load(), 1);
    EXPECT_EQ(state.readings[0].load(), 9.91e37) << "nothing was read";
}

TEST_F(ReadingWorkerTest, AFailedReadIsHandedToTheTick) {
    session.failReads.store(true);
    RunCycle();
    EXPECT_EQ(state.workerState.load(), kWorkerFailed);
    EXPECT_EQ(state.failedStatus.load(), MeasuringSession::kReadFailure)
        << "fetched on the worker's thread, where the call failed";
    EXPECT_EQ(session.initiates.load(), 0);
}

TEST_F(ReadingWorkerTest, TriggersUnderTheLockNeverInterleaveWithTheWorker) {
    session.pollsPerMeasurement = 20;
    std::atomic<bool> done{false};
    std::thread trigger([&] {
        while (!done.load()) {
            std::lock_guard<std::mutex> lock(state.instrumentLock);
            session.TriggerImmediate();
        }
    });
    for (int cycle = 0; cycle < 20; ++cycle) {
        RunCycle();
        ASSERT_EQ(state.workerState.load(), kWorkerValuesReady);
    }
    done.store(true);
    trigger.join();
    EXPECT_GT(session.triggers.load(), 0);
    EXPECT_EQ(session.overlaps.load(), 0);
}
