#pragma once
// The auto-update worker's cycle, free of any windowing code so that it can be
// checked on its own (thread sanitizer builds included).

#include <optional>
#include <vector>

struct MainPanelState;
class InstrumentSession;

// One cycle on the worker thread: poll until the measurement has ended, read
// the shown values, start the next measurement and report through
// `workerState` (values ready, failed, or idle after a stop request).
void RunReadingWorker(MainPanelState& state, InstrumentSession& instrument);

// Stores the values read into the shown readings (a null read changes nothing).
void CopyReadings(MainPanelState& state, const std::optional<std::vector<double>>& values);

constexpr int kMeasuringBit = 0x10;
