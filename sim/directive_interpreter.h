#pragma once
// The scenario directives (README.md lists them): one per line in a scenario
// file, or one per call of qot7720_sim_control.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sim/sim_context.h"

namespace sim {

class DirectiveInterpreter {
public:
    static constexpr int kUnknownDirective = -1;
    static constexpr int kMalformed = -2;
    static constexpr int kFileError = -3;

    // The scenario file is the one the environment names; reset applies it again.
    // `controlFile` (may be empty) is listened to from the start.
    DirectiveInterpreter(SimContext& context, std::string startupScenario,
                         const std::string& controlFile = std::string());

    // 0 on success, else one of the negative codes above.
    int apply(std::string_view line);
    // Applies the startup scenario (if any); 0 or the first failure.
    int applyStartupScenario();

private:
    using Words = std::vector<std::string>;
    using Handler = int (DirectiveInterpreter::*)(const Words&);

    int applyLocked(std::string_view line);
    // The lines appended to the control file since the last call.
    void applyControlLines();
    int applyFile(const std::string& path);

    int reset(const Words& words);
    int seed(const Words& words);
    int log(const Words& words);
    int control(const Words& words);
    int scenario(const Words& words);
    int addResource(const Words& words);
    int clearResources(const Words& words);
    int failNext(const Words& words);
    int failMatch(const Words& words);
    int stopFailing(const Words& words);
    int timeoutNext(const Words& words);
    int holdMs(const Words& words);
    int queueError(const Words& words);
    int selfTest(const Words& words);
    int calibration(const Words& words);
    int fifo(const Words& words);
    int answer(const Words& words);
    int clearAnswers(const Words& words);
    int revision(const Words& words);
    int measureMs(const Words& words);
    int scp(const Words& words);
    int scpi(const Words& words);

    SimState& state() { return context_.state(); }

    SimContext& context_;
    std::string startupScenario_;
    std::map<std::string, Handler> handlers_;
    int fileDepth_ = 0;
};

}  // namespace sim
