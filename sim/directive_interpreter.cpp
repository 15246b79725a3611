#include "sim/directive_interpreter.h"

#include <cstdio>
#include <fstream>
#include <limits>

#include "instrument/driver_api.h"
#include "sim/directive_tokens.h"
#include "sim/text_util.h"

namespace sim {

namespace {

constexpr int kMostNestedFiles = 8;

std::optional<long long> integerIn(const std::string& text, long long low, long long high) {
    const auto value = parseInteger(text);
    if (!value || *value < low || *value > high) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::chrono::milliseconds> milliseconds(const std::string& text) {
    const auto value = integerIn(text, 0, std::numeric_limits<int>::max());
    return value ? std::optional<std::chrono::milliseconds>(*value) : std::nullopt;
}

std::optional<ViUInt16> interfaceType(const std::string& text) {
    static const std::map<std::string, ViUInt16> types = {
        {"GPIB", visa::kInterfaceGpib},        {"VXI", visa::kInterfaceVxi},
        {"GPIB-VXI", visa::kInterfaceGpibVxi}, {"ASRL", visa::kInterfaceAsrl},
        {"TCPIP", visa::kInterfaceTcpip},
    };
    const auto found = types.find(toUpper(text));
    if (found != types.end()) {
        return found->second;
    }
    const auto number = integerIn(text, 0, 0xFFFF);
    return number ? std::optional<ViUInt16>(static_cast<ViUInt16>(*number)) : std::nullopt;
}

bool isVxi(ViUInt16 type) {
    return type == visa::kInterfaceVxi || type == visa::kInterfaceGpibVxi;
}

// Reads "key=value" options and positional words into the resource; false on a bad word.
bool readResourceWord(const std::string& word, std::vector<std::string>& positional,
                      SimResource& resource) {
    const auto equals = word.find('=');
    if (equals == std::string::npos) {
        positional.push_back(word);
        return true;
    }
    const std::string key = toUpper(word.substr(0, equals));
    const std::string value = word.substr(equals + 1);
    if (key == "IDN") {
        resource.identity = value;
        return true;
    }
    const bool signedValue = key == "SLOT" || key == "LA";
    const auto number = signedValue ? integerIn(value, -32768, 32767) : integerIn(value, 0, 0xFFFF);
    if (!number) {
        return false;
    }
    if (key == "SLOT") {
        resource.slot = static_cast<ViInt16>(*number);
    } else if (key == "LA") {
        resource.logicalAddress = static_cast<ViInt16>(*number);
    } else if (key == "MFR") {
        resource.manufacturerId = static_cast<ViUInt16>(*number);
    } else if (key == "MODEL") {
        resource.modelCode = static_cast<ViUInt16>(*number);
    } else {
        return false;
    }
    return true;
}

// VXI resources take "<manufacturer> <model>", the others "<*IDN? answer>".
bool readPositional(const std::vector<std::string>& positional, SimResource& resource) {
    if (!isVxi(resource.interfaceType)) {
        if (positional.size() > 1) {
            return false;
        }
        if (!positional.empty()) {
            resource.identity = positional.front();
        }
        return true;
    }
    if (positional.size() != 2 && !positional.empty()) {
        return false;
    }
    if (positional.size() == 2) {
        const auto manufacturer = integerIn(positional[0], 0, 0xFFFF);
        const auto model = integerIn(positional[1], 0, 0xFFFF);
        if (!manufacturer || !model) {
            return false;
        }
        resource.manufacturerId = static_cast<ViUInt16>(*manufacturer);
        resource.modelCode = static_cast<ViUInt16>(*model);
    }
    return true;
}

// A VXI QOT7720 answers *IDN? like the default one unless told otherwise.
void completeIdentity(SimResource& resource) {
    const bool ours = resource.manufacturerId == driver::kVxiManufacturerId &&
                      resource.modelCode == driver::kVxiModelCode;
    if (resource.identity.empty() && isVxi(resource.interfaceType) && ours) {
        resource.identity = ResourceList::defaultResource().identity;
    }
}

}  // namespace

DirectiveInterpreter::DirectiveInterpreter(SimContext& context, std::string startupScenario,
                                           const std::string& controlFile)
    : context_(context), startupScenario_(std::move(startupScenario)) {
    if (!controlFile.empty()) {
        state().control.open(controlFile);
    }
    context_.setCallHook([this] { applyControlLines(); });
    handlers_ = {
        {"reset", &DirectiveInterpreter::reset},
        {"seed", &DirectiveInterpreter::seed},
        {"log", &DirectiveInterpreter::log},
        {"control", &DirectiveInterpreter::control},
        {"scenario", &DirectiveInterpreter::scenario},
        {"add-resource", &DirectiveInterpreter::addResource},
        {"clear-resources", &DirectiveInterpreter::clearResources},
        {"fail-next", &DirectiveInterpreter::failNext},
        {"fail-match", &DirectiveInterpreter::failMatch},
        {"stop-failing", &DirectiveInterpreter::stopFailing},
        {"timeout-next", &DirectiveInterpreter::timeoutNext},
        {"hold-ms", &DirectiveInterpreter::holdMs},
        {"queue-error", &DirectiveInterpreter::queueError},
        {"self-test", &DirectiveInterpreter::selfTest},
        {"calibration", &DirectiveInterpreter::calibration},
        {"fifo", &DirectiveInterpreter::fifo},
        {"answer", &DirectiveInterpreter::answer},
        {"clear-answers", &DirectiveInterpreter::clearAnswers},
        {"revision", &DirectiveInterpreter::revision},
        {"measure-ms", &DirectiveInterpreter::measureMs},
        {"scp", &DirectiveInterpreter::scp},
        {"scpi", &DirectiveInterpreter::scpi},
    };
}

int DirectiveInterpreter::apply(std::string_view line) {
    auto lock = context_.lock();
    return applyLocked(line);
}

int DirectiveInterpreter::applyStartupScenario() {
    auto lock = context_.lock();
    return startupScenario_.empty() ? 0 : applyFile(startupScenario_);
}

int DirectiveInterpreter::applyLocked(std::string_view line) {
    const auto words = tokenizeDirective(line);
    if (!words) {
        return kMalformed;
    }
    if (words->empty()) {
        return 0;
    }
    const auto handler = handlers_.find(words->front());
    if (handler == handlers_.end()) {
        return kUnknownDirective;
    }
    return (this->*(handler->second))(Words(words->begin() + 1, words->end()));
}

void DirectiveInterpreter::applyControlLines() {
    for (const std::string& line : state().control.takeLines()) {
        const int result = applyLocked(line);
        if (result != 0) {
            std::fprintf(stderr, "qot7720 simulator: control: directive not applied (%d): %s\n",
                         result, line.c_str());
        }
    }
}

int DirectiveInterpreter::applyFile(const std::string& path) {
    std::ifstream file(path);
    if (!file || fileDepth_ >= kMostNestedFiles) {
        std::fprintf(stderr, "qot7720 simulator: cannot read scenario %s\n", path.c_str());
        return kFileError;
    }
    ++fileDepth_;
    int firstFailure = 0;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        const int result = applyLocked(line);
        if (result != 0) {
            std::fprintf(stderr, "qot7720 simulator: %s:%d: directive not applied (%d): %s\n",
                         path.c_str(), number, result, line.c_str());
            firstFailure = firstFailure != 0 ? firstFailure : result;
        }
    }
    --fileDepth_;
    return firstFailure;
}

// Back to the start of the run: built-in defaults, then the startup scenario.
// Open sessions, their settings and the log file stay.
int DirectiveInterpreter::reset(const Words& words) {
    if (!words.empty()) {
        return kMalformed;
    }
    SimState& s = state();
    s.resources.reset();
    s.faults.clear();
    s.answers.clear();
    s.behaviour = DriverBehaviour{};
    s.instrument.state().config = InstrumentConfig{};
    s.instrument.powerOn(SignalSource::kDefaultSeed);
    context_.interruptWaits();
    if (startupScenario_.empty() || fileDepth_ > 0) {
        return 0;
    }
    return applyFile(startupScenario_);
}

int DirectiveInterpreter::control(const Words& words) {
    if (words.size() != 1) {
        return kMalformed;
    }
    if (words[0] == "off") {
        state().control.close();
    } else {
        state().control.open(words[0]);
    }
    return 0;
}

int DirectiveInterpreter::seed(const Words& words) {
    const auto value = words.size() == 1 ? integerIn(words[0], 0, 0xFFFFFFFFll) : std::nullopt;
    if (!value) {
        return kMalformed;
    }
    state().instrument.state().signals.reseed(static_cast<std::uint32_t>(*value));
    return 0;
}

int DirectiveInterpreter::log(const Words& words) {
    if (words.size() != 1) {
        return kMalformed;
    }
    if (words[0] == "off") {
        state().log.close();
        return 0;
    }
    return state().log.open(words[0]) ? 0 : kFileError;
}

int DirectiveInterpreter::scenario(const Words& words) {
    return words.size() == 1 ? applyFile(words[0]) : kMalformed;
}

int DirectiveInterpreter::addResource(const Words& words) {
    if (words.size() < 2) {
        return kMalformed;
    }
    SimResource resource;
    resource.name = words[0];
    const auto type = interfaceType(words[1]);
    if (!type) {
        return kMalformed;
    }
    resource.interfaceType = *type;
    std::vector<std::string> positional;
    for (auto word = words.begin() + 2; word != words.end(); ++word) {
        if (!readResourceWord(*word, positional, resource)) {
            return kMalformed;
        }
    }
    if (!readPositional(positional, resource)) {
        return kMalformed;
    }
    completeIdentity(resource);
    state().resources.add(std::move(resource));
    return 0;
}

int DirectiveInterpreter::clearResources(const Words& words) {
    if (!words.empty()) {
        return kMalformed;
    }
    state().resources.clear();
    return 0;
}

int DirectiveInterpreter::failNext(const Words& words) {
    const auto status = words.size() == 2 ? parseStatus(words[1]) : std::nullopt;
    if (!status) {
        return kMalformed;
    }
    state().faults.failNext(words[0], *status);
    return 0;
}

int DirectiveInterpreter::failMatch(const Words& words) {
    const auto status = words.size() == 2 ? parseStatus(words[1]) : std::nullopt;
    if (!status) {
        return kMalformed;
    }
    state().faults.failEvery(words[0], *status);
    return 0;
}

int DirectiveInterpreter::stopFailing(const Words& words) {
    if (words.size() > 1) {
        return kMalformed;
    }
    state().faults.stopFailing(words.empty() ? std::nullopt : std::optional<std::string>(words[0]));
    return 0;
}

int DirectiveInterpreter::timeoutNext(const Words& words) {
    if (words.size() != 1) {
        return kMalformed;
    }
    state().faults.failNext(words[0], driver::kTimeout);
    return 0;
}

int DirectiveInterpreter::holdMs(const Words& words) {
    const auto time = words.size() == 2 ? milliseconds(words[1]) : std::nullopt;
    if (!time) {
        return kMalformed;
    }
    state().faults.holdNext(words[0], *time);
    return 0;
}

int DirectiveInterpreter::queueError(const Words& words) {
    const auto code =
        !words.empty() && words.size() <= 2
            ? integerIn(words[0], std::numeric_limits<int>::min(), std::numeric_limits<int>::max())
            : std::nullopt;
    if (!code || *code == 0) {
        return kMalformed;
    }
    state().instrument.state().queueError(static_cast<int>(*code),
                                          words.size() == 2 ? words[1] : "");
    return 0;
}

int DirectiveInterpreter::selfTest(const Words& words) {
    const bool sized = words.size() == 2 || words.size() == 3;
    const auto time = sized ? milliseconds(words[0]) : std::nullopt;
    const auto result = sized ? integerIn(words[1], -32768, 32767) : std::nullopt;
    if (!time || !result) {
        return kMalformed;
    }
    DriverBehaviour& behaviour = state().behaviour;
    behaviour.selfTestTime = *time;
    behaviour.selfTestResult = static_cast<int>(*result);
    behaviour.selfTestMessage =
        words.size() == 3 ? words[2] : (*result == 0 ? "Self test passed" : "Self test failed");
    return 0;
}

int DirectiveInterpreter::calibration(const Words& words) {
    const bool sized = words.size() == 2;
    const auto time = sized ? milliseconds(words[0]) : std::nullopt;
    const auto result = sized ? integerIn(words[1], std::numeric_limits<int>::min(),
                                          std::numeric_limits<int>::max())
                              : std::nullopt;
    if (!time || !result) {
        return kMalformed;
    }
    state().behaviour.calibrationTime = *time;
    state().instrument.state().config.calibrationResult = static_cast<int>(*result);
    return 0;
}

int DirectiveInterpreter::fifo(const Words& words) {
    std::vector<double> values;
    for (const auto& word : words) {
        const auto value = parseReal(word);
        if (!value) {
            return kMalformed;
        }
        values.push_back(*value);
    }
    state().instrument.state().data.replaceFifo(values);
    return 0;
}

int DirectiveInterpreter::answer(const Words& words) {
    if (words.empty() || words.size() > 2) {
        return kMalformed;
    }
    if (words.size() == 1) {
        state().answers.remove(words[0]);
        return 0;
    }
    state().answers.set(words[0], words[1]);
    return 0;
}

int DirectiveInterpreter::clearAnswers(const Words& words) {
    if (!words.empty()) {
        return kMalformed;
    }
    state().answers.clear();
    return 0;
}

int DirectiveInterpreter::revision(const Words& words) {
    if (words.size() != 2) {
        return kMalformed;
    }
    state().behaviour.driverRevision = words[0];
    state().behaviour.firmwareRevision = words[1];
    return 0;
}

int DirectiveInterpreter::measureMs(const Words& words) {
    const auto time = words.size() == 1 ? milliseconds(words[0]) : std::nullopt;
    if (!time || time->count() == 0) {
        return kMalformed;
    }
    state().instrument.state().config.scanTime = *time;
    return 0;
}

int DirectiveInterpreter::scp(const Words& words) {
    const auto position = words.size() == 2 ? integerIn(words[0], 0, kScpCount - 1) : std::nullopt;
    if (!position) {
        return kMalformed;
    }
    state().instrument.state().config.scpTypes.at(static_cast<std::size_t>(*position)) = words[1];
    return 0;
}

// A SCPI message run as if a program had sent it, so that a scenario can
// start from any instrument setting ("scpi \"TRIG:SOUR HOLD\"").
int DirectiveInterpreter::scpi(const Words& words) {
    if (words.size() != 1 || words[0].empty()) {
        return kMalformed;
    }
    state().instrument.execute(words[0], Instrument::Clock::now());
    return 0;
}

}  // namespace sim
