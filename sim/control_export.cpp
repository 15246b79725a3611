// qot7720_sim_control, exported by both simulated libraries: tests drive each
// library's simulator with the directives of a scenario file.

#include "sim/export_guard.h"
#include "sim/simulator.h"

extern "C" int qot7720_sim_control(const char* directive) {
    if (directive == nullptr) {
        return sim::DirectiveInterpreter::kMalformed;
    }
    try {
        return sim::Simulator::instance().directives().apply(directive);
    } catch (...) {
        return sim::DirectiveInterpreter::kMalformed;
    }
}
