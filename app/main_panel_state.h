#pragma once
// The main panel object's reading-engine fields. The shell's pause step and
// the panel's worker thread share them, so everything the worker touches is
// atomic or guarded by instrumentLock.

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "instrument/io_record.h"

enum WorkerState : int {
    kWorkerIdle = 0,
    kWorkerStarting = 1,
    kWorkerFailed = 2,
    kWorkerRunning = 3,
    kWorkerValuesReady = 4,
};

constexpr int kReadingsShown = 10;
constexpr int kFirstBaseChannel = 10;
constexpr int kLastBaseChannel = 502;

struct MainPanelState {
    MainPanelState();

    std::atomic<int> readingsStale{1};
    std::atomic<int> workerState{kWorkerIdle};
    std::atomic<int> readingsPaused{0};
    // The status of the worker's failed call, fetched on the worker's thread
    // where it failed; valid while workerState is kWorkerFailed.
    std::atomic<int> failedStatus{0};
    // The worker's failed call, for the report: written by the worker before
    // workerState turns kWorkerFailed, read by the user-interface thread after.
    iorecord::FailedCall failedCall;
    // The base element of the values last read, so that a cycle that read
    // the previous base does not show its values under the new caption.
    std::atomic<int> readingsBase{kFirstBaseChannel};
    // When the worker read them, ms since 1970 UTC: the readings' own time.
    std::atomic<std::int64_t> readingsTimeMs{0};
    std::atomic<std::uint32_t> cycleTick{0};
    std::atomic<int> baseChannel{kFirstBaseChannel};
    std::array<std::atomic<double>, kReadingsShown> readings;
    std::mutex instrumentLock;
};

// Set to tell the auto-update worker to stop.
extern std::atomic<int> stopWorker;
