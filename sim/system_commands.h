#pragma once
// Common commands (*RST, *CLS, *OPC, *STB?, *IDN?, *CAL? ...), the STATus
// subsystem and SYSTem:ERRor? / SYSTem:CTYPe?.

#include "sim/command_table.h"
#include "sim/instrument_state.h"

namespace sim {

void registerSystemCommands(CommandTable& table, InstrumentState& state);

}  // namespace sim
