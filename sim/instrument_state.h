#pragma once
// Everything the simulated QOT7720 holds. The command handlers work on it;
// the Instrument owns it.

#include <array>
#include <chrono>
#include <string>

#include "sim/algorithm_store.h"
#include "sim/channel_list.h"
#include "sim/data_store.h"
#include "sim/error_queue.h"
#include "sim/measurement.h"
#include "sim/scan_lists.h"
#include "sim/setting_store.h"
#include "sim/signal_source.h"
#include "sim/status_registers.h"

namespace sim {

// What a scenario decides about the instrument; *RST leaves it alone.
struct InstrumentConfig {
    std::string identity = "QUORVALE-ORBANT,T7720,0,A.01.00";
    std::array<std::string, kScpCount> scpTypes = {
        "QUORVALE-ORBANT,T7501 8-Channel Direct Input SCP,0,0",
        "QUORVALE-ORBANT,T7501 8-Channel Direct Input SCP,0,0",
        "QUORVALE-ORBANT,T7502 8-Channel 2 Hz..100 Hz Filter SCP,0,0",
        "QUORVALE-ORBANT,T7502 8-Channel 2 Hz..100 Hz Filter SCP,0,0",
        "QUORVALE-ORBANT,T7511 8-Channel Strain Completion SCP,0,0",
        "QUORVALE-ORBANT,T7531 8-Channel Voltage Output SCP,0,0",
        "QUORVALE-ORBANT,T7533 8-Channel Digital I/O SCP,0,0",
        "0,No SCP at this Address,0,0",
    };
    int calibrationResult = 0;
    int tareResult = 0;
    std::chrono::milliseconds scanTime{5};  // one scan with trigger source IMM
};

struct InstrumentState {
    InstrumentConfig config;
    SettingStore settings;
    ScanLists scanLists;
    Measurement measurement;
    StatusRegisters status;
    ErrorQueue errors;
    DataStore data;
    AlgorithmStore algorithms;
    SignalSource signals;
    std::string dataFormat;

    // Queues an error (with the standard text when none is given) and notes it
    // in the standard event register.
    void queueError(int code, std::string message = {});
    // The *RST state: settings, lists, data and algorithms; errors, status
    // enables, tare and configuration stay.
    void resetSettings();
    // Mirrors the measurement into the operation condition register.
    void syncOperationStatus();
};

}  // namespace sim
