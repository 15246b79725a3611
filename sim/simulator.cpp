#include "sim/simulator.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace sim {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

Simulator& Simulator::instance() {
    static Simulator simulator;
    return simulator;
}

Simulator::Simulator()
    : directives_(context_, environment("QOT7720_SIM_SCENARIO"),
                  environment("QOT7720_SIM_CONTROL")),
      driver_(context_),
      visa_(context_) {
    const std::string logPath = environment("QOT7720_SIM_LOG");
    if (!logPath.empty()) {
        auto lock = context_.lock();
        if (!context_.state().log.open(logPath)) {
            std::fprintf(stderr, "qot7720 simulator: cannot open log %s\n", logPath.c_str());
        }
    }
    directives_.applyStartupScenario();
}

}  // namespace sim
