#pragma once
// Channel-addressed settings: input and output conditioning, strain, limits,
// sense and source functions, references, tare and the digital channels.

#include "sim/command_table.h"
#include "sim/instrument_state.h"

namespace sim {

void registerChannelCommands(CommandTable& table, InstrumentState& state);

}  // namespace sim
