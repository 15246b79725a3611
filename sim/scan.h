#pragma once
// Taking readings: what a measurement does when a scan is due.

#include <chrono>

#include "sim/instrument_state.h"
#include "sim/measurement.h"

namespace sim {

// The trigger settings as a measurement plan (source, timer, count, INIT:CONT).
Measurement::Plan measurementPlan(const InstrumentState& state);

// One scan of LIST1: a reading per channel into the CVT and the FIFO, limits checked.
void performScan(InstrumentState& state);

// Takes the scans that have become due by now and updates the status registers.
void advanceMeasurement(InstrumentState& state, std::chrono::steady_clock::time_point now);

// A setting stored by formatReal, read back.
double storedNumber(const std::string& text);

}  // namespace sim
