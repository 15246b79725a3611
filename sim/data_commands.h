#pragma once
// Data and algorithms: FORMat, the CVT and FIFO, averaging, cumulative limit
// flags and the ALGorithm subsystem.

#include "sim/command_table.h"
#include "sim/instrument_state.h"

namespace sim {

void registerDataCommands(CommandTable& table, InstrumentState& state);

}  // namespace sim
