#pragma once
// The one simulator of a loaded library. It is made on the first call: it then
// opens the log file named by QOT7720_SIM_LOG and applies the scenario file
// named by QOT7720_SIM_SCENARIO. The VISA and the driver library each hold
// their own, built from the same scenario.

#include "sim/directive_interpreter.h"
#include "sim/driver_library.h"
#include "sim/sim_context.h"
#include "sim/visa_library.h"

namespace sim {

class Simulator {
public:
    static Simulator& instance();

    DriverLibrary& driver() { return driver_; }
    VisaLibrary& visa() { return visa_; }
    DirectiveInterpreter& directives() { return directives_; }

private:
    Simulator();

    SimContext context_;
    DirectiveInterpreter directives_;
    DriverLibrary driver_;
    VisaLibrary visa_;
};

}  // namespace sim
