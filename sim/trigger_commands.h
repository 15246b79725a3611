#pragma once
// The trigger system and what it scans: INITiate, ABORt, TRIGger, ARM,
// SAMPle:TIMer and ROUTe:SEQuence:DEFine.

#include "sim/command_table.h"
#include "sim/instrument_state.h"

namespace sim {

void registerTriggerCommands(CommandTable& table, InstrumentState& state);

}  // namespace sim
