#include "sim/driver_library.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "sim/data_store.h"
#include "sim/sim_status.h"
#include "sim/text_util.h"

namespace sim {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kExpectedIdentity = "QUORVALE-ORBANT,T7720";
constexpr std::chrono::milliseconds kFifoPoll{1};
constexpr ViStatus kSuccess = 0;

std::string_view textOf(const char* text) {
    return text == nullptr ? std::string_view() : text;
}

std::optional<ViInt32> integerAnswer(const std::string& answer) {
    const std::string text = trim(answer);
    if (const auto whole = parseInteger(text)) {
        return static_cast<ViInt32>(*whole);
    }
    const auto real = parseReal(text);
    if (!real || std::fabs(*real) > std::numeric_limits<ViInt32>::max()) {
        return std::nullopt;
    }
    return static_cast<ViInt32>(std::lround(*real));
}

std::optional<std::string> statusText(ViStatus status) {
    static const std::map<ViStatus, std::string> texts = {
        {kSuccess, "Success"},
        {driver::kInstrumentErrorQueued, "The instrument reports an error; read its error queue"},
        {driver::kTimeout, "Timeout expired before the operation completed"},
        {visa::kErrorResourceNotFound, "Resource not present in the system"},
        {visa::kErrorInvalidObject, "Invalid session or object reference"},
        {visa::kErrorNonsupportedAttribute, "Attribute not supported by this resource"},
        {kErrorSystem, "Unknown system error"},
        {kErrorAbort, "Operation aborted by a device clear"},
        {kErrorUserBuffer, "Invalid user buffer"},
        {kErrorInvalidExpression, "Invalid resource search expression"},
        {kErrorInvalidResourceName, "Invalid resource name"},
        {kErrorFailedIdQuery, "The instrument does not identify as a QOT7720"},
        {kErrorInvalidResponse, "The instrument's answer does not have the requested form"},
        {kSuccessMaxCount, "The read stopped at the requested count"},
    };
    const auto found = texts.find(status);
    if (found != texts.end()) {
        return found->second;
    }
    for (int position = 1; position <= 8; ++position) {
        if (status == parameterError(position)) {
            return "Parameter " + std::to_string(position) + " is invalid";
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<ViStatus> DriverLibrary::begin(Lock& lock, const LogLine& line, ViSession session,
                                             std::string_view text) {
    if (const auto early = context_.enter(lock, line, text, timeoutOf(session))) {
        return early;
    }
    if (context_.state().driverSessions.count(session) == 0) {
        return visa::kErrorInvalidObject;
    }
    return std::nullopt;
}

std::chrono::milliseconds DriverLibrary::timeoutOf(ViSession session) {
    const auto& sessions = context_.state().driverSessions;
    const auto found = sessions.find(session);
    return found == sessions.end() ? kDefaultTimeout : found->second.timeout;
}

bool DriverLibrary::errorReported(ViSession session) {
    SimState& state = context_.state();
    return state.driverSessions[session].errorQueryDetect &&
           !state.instrument.state().errors.empty();
}

ViStatus DriverLibrary::withErrorCheck(ViSession session, ViStatus status) {
    return status >= 0 && errorReported(session) ? driver::kInstrumentErrorQueued : status;
}

DriverLibrary::Outcome DriverLibrary::runScpi(Lock& lock, ViSession session,
                                              std::string_view text) {
    SimState& state = context_.state();
    if (auto answer = state.answers.find(text)) {
        return Outcome{kSuccess, std::move(answer)};
    }
    if (Instrument::isCalibration(text)) {
        const auto waited =
            context_.wait(lock, state.behaviour.calibrationTime, timeoutOf(session));
        if (waited == SimContext::WaitResult::TimedOut) {
            return Outcome{driver::kTimeout, std::nullopt};
        }
        if (waited == SimContext::WaitResult::Cleared) {
            return Outcome{kErrorAbort, std::nullopt};
        }
    }
    return Outcome{kSuccess, state.instrument.execute(text, Clock::now())};
}

ViStatus DriverLibrary::init(ViRsrc resourceName, ViBoolean idQuery, ViBoolean reset,
                             ViSession* session) {
    if (session != nullptr) {
        *session = 0;  // no session unless this call succeeds
    }
    auto lock = context_.lock();
    const LogLine line = LogLine("qot7720_init").text(resourceName).number(idQuery).number(reset);
    if (const auto early = context_.enter(lock, line, textOf(resourceName), kDefaultTimeout)) {
        return *early;
    }
    if (session == nullptr) {
        return parameterError(4);
    }
    if (resourceName == nullptr) {
        return parameterError(1);
    }
    SimState& state = context_.state();
    const SimResource* resource = state.resources.find(resourceName);
    if (resource == nullptr) {
        return visa::kErrorResourceNotFound;
    }
    if (idQuery != 0 && !startsWithIgnoreCase(resource->identity, kExpectedIdentity)) {
        return kErrorFailedIdQuery;
    }
    if (!resource->identity.empty()) {
        state.instrument.state().config.identity = resource->identity;
    }
    if (reset != 0) {
        state.instrument.execute("*RST", Clock::now());
    }
    *session = ++state.lastDriverSession;
    state.driverSessions[*session] = DriverSession{};
    return kSuccess;
}

ViStatus DriverLibrary::timeOut(ViSession session, ViInt32 milliseconds) {
    auto lock = context_.lock();
    const LogLine line = LogLine("qot7720_timeOut").number(milliseconds);
    if (const auto early = begin(lock, line, session, {})) {
        return *early;
    }
    if (milliseconds < 0) {
        return parameterError(2);
    }
    context_.state().driverSessions[session].timeout = std::chrono::milliseconds(milliseconds);
    return kSuccess;
}

ViStatus DriverLibrary::errorQueryDetect(ViSession session, ViBoolean enable) {
    auto lock = context_.lock();
    const LogLine line = LogLine("qot7720_errorQueryDetect").number(enable);
    if (const auto early = begin(lock, line, session, {})) {
        return *early;
    }
    context_.state().driverSessions[session].errorQueryDetect = enable != 0;
    return kSuccess;
}

ViStatus DriverLibrary::cmd(ViSession session, ViString command) {
    auto lock = context_.lock();
    const LogLine line = LogLine("qot7720_cmd").text(command);
    if (const auto early = begin(lock, line, session, textOf(command))) {
        return *early;
    }
    if (command == nullptr) {
        return parameterError(2);
    }
    return withErrorCheck(session, runScpi(lock, session, command).status);
}

ViStatus DriverLibrary::query(ViSession session, const LogLine& line, ViString text,
                              const Deliver& deliver) {
    auto lock = context_.lock();
    if (const auto early = begin(lock, line, session, textOf(text))) {
        return *early;
    }
    if (text == nullptr) {
        return parameterError(2);
    }
    const Outcome outcome = runScpi(lock, session, text);
    if (outcome.status < 0) {
        return outcome.status;
    }
    if (!outcome.answer) {
        // Nothing comes back for a failed query or a command: the read times out.
        return errorReported(session) ? driver::kInstrumentErrorQueued : driver::kTimeout;
    }
    return withErrorCheck(session, deliver(*outcome.answer));
}

ViStatus DriverLibrary::cmdStringQ(ViSession session, ViString text, ViInt32 bufferSize,
                                   ViChar* answer) {
    const LogLine line = LogLine("qot7720_cmdString_Q").text(text).number(bufferSize);
    return query(session, line, text, [&](const std::string& reply) {
        if (bufferSize <= 0) {
            return parameterError(3);
        }
        if (answer == nullptr) {
            return parameterError(4);
        }
        copyTruncated(reply, answer, static_cast<std::size_t>(bufferSize));
        return kSuccess;
    });
}

ViStatus DriverLibrary::cmdInt32Q(ViSession session, ViString text, ViInt32* answer) {
    return query(session, LogLine("qot7720_cmdInt32_Q").text(text), text,
                 [&](const std::string& reply) {
                     if (answer == nullptr) {
                         return parameterError(3);
                     }
                     const auto value = integerAnswer(reply);
                     if (!value) {
                         return kErrorInvalidResponse;
                     }
                     *answer = *value;
                     return kSuccess;
                 });
}

ViStatus DriverLibrary::cmdReal64Q(ViSession session, ViString text, ViReal64* answer) {
    return query(session, LogLine("qot7720_cmdReal64_Q").text(text), text,
                 [&](const std::string& reply) {
                     if (answer == nullptr) {
                         return parameterError(3);
                     }
                     const auto value = parseReal(trim(reply));
                     if (!value) {
                         return kErrorInvalidResponse;
                     }
                     *answer = *value;
                     return kSuccess;
                 });
}

ViStatus DriverLibrary::readCvtQ(ViSession session, ViInt16 firstElement, ViInt16 count,
                                 ViReal64* values) {
    auto lock = context_.lock();
    const LogLine line = LogLine("qot7720_readCVT_Q").number(firstElement).number(count);
    if (const auto early = begin(lock, line, session, {})) {
        return *early;
    }
    if (firstElement < 0 || firstElement >= DataStore::kCvtSize) {
        return parameterError(2);
    }
    if (count < 1 || firstElement + count > DataStore::kCvtSize) {
        return parameterError(3);
    }
    if (values == nullptr) {
        return parameterError(4);
    }
    Instrument& instrument = context_.state().instrument;
    instrument.advance(Clock::now());
    instrument.state().data.copyCvt(firstElement, count, values);
    return withErrorCheck(session, kSuccess);
}

ViStatus DriverLibrary::takeFifo(Lock& lock, ViSession session, ViInt32 count, ViReal64* values) {
    Instrument& instrument = context_.state().instrument;
    const auto deadline = Clock::now() + timeoutOf(session);
    instrument.advance(Clock::now());
    // Readings still to come from a running measurement are waited for; otherwise
    // the read would wait for the whole time-out, so it ends at once.
    while (instrument.state().data.fifoCount() < static_cast<std::size_t>(count)) {
        if (!instrument.state().measurement.paced() || Clock::now() >= deadline) {
            return driver::kTimeout;
        }
        if (!context_.pause(lock, kFifoPoll)) {
            return kErrorAbort;
        }
        instrument.advance(Clock::now());
    }
    const std::vector<double> taken =
        instrument.state().data.takeFifo(static_cast<std::size_t>(count));
    std::copy(taken.begin(), taken.end(), values);
    return withErrorCheck(session, kSuccess);
}

ViStatus DriverLibrary::readFifoQ(ViSession session, ViInt32 count, ViInt32 capacity,
                                  ViReal64* values) {
    auto lock = context_.lock();
    const LogLine line = LogLine("qot7720_readFifo_Q").number(count).number(capacity);
    if (const auto early = begin(lock, line, session, {})) {
        return *early;
    }
    if (count < 0) {
        return parameterError(2);
    }
    if (capacity < count) {
        return parameterError(3);
    }
    if (values == nullptr && count > 0) {
        return parameterError(4);
    }
    return takeFifo(lock, session, count, values);
}

ViStatus DriverLibrary::readFifoFastQ(ViSession session, ViInt32 count, ViReal64* values) {
    auto lock = context_.lock();
    const LogLine line = LogLine("qot7720_readFifoFast_Q").number(count);
    if (const auto early = begin(lock, line, session, {})) {
        return *early;
    }
    if (count < 0) {
        return parameterError(2);
    }
    if (values == nullptr && count > 0) {
        return parameterError(3);
    }
    return takeFifo(lock, session, count, values);
}

ViStatus DriverLibrary::selfTest(ViSession session, ViInt16* result, ViChar* message) {
    auto lock = context_.lock();
    if (const auto early = begin(lock, LogLine("qot7720_self_test"), session, {})) {
        return *early;
    }
    if (result == nullptr) {
        return parameterError(2);
    }
    if (message == nullptr) {
        return parameterError(3);
    }
    const DriverBehaviour behaviour =
        context_.state().behaviour;  // the lock is let go while waiting
    const auto waited = context_.wait(lock, behaviour.selfTestTime, timeoutOf(session));
    if (waited == SimContext::WaitResult::TimedOut) {
        return driver::kTimeout;
    }
    if (waited == SimContext::WaitResult::Cleared) {
        *result = -1;
        copyTruncated("Self test aborted by device clear", message, driver::kSelfTestMessageLength);
        return kErrorAbort;
    }
    *result = static_cast<ViInt16>(behaviour.selfTestResult);
    copyTruncated(behaviour.selfTestMessage, message, driver::kSelfTestMessageLength);
    return kSuccess;
}

ViStatus DriverLibrary::errorQuery(ViSession session, ViInt32* code, ViChar* message) {
    auto lock = context_.lock();
    if (const auto early = begin(lock, LogLine("qot7720_error_query"), session, {})) {
        return *early;
    }
    if (code == nullptr) {
        return parameterError(2);
    }
    if (message == nullptr) {
        return parameterError(3);
    }
    const auto error = context_.state().instrument.state().errors.pop();
    const InstrumentError entry = error.value_or(InstrumentError{0, "No error"});
    *code = entry.code;
    copyTruncated(formatInstrumentError(entry), message, driver::kErrorQueryMessageLength);
    return kSuccess;
}

// Like every VXIplug&play driver, this one also explains statuses without a session.
ViStatus DriverLibrary::errorMessage(ViSession session, ViStatus status, ViChar* message) {
    auto lock = context_.lock();
    const LogLine line = LogLine("qot7720_error_message").hex(static_cast<std::uint32_t>(status));
    if (const auto early = context_.enter(lock, line, {}, timeoutOf(session))) {
        return *early;
    }
    if (message == nullptr) {
        return parameterError(3);
    }
    const auto text = statusText(status);
    if (!text) {
        copyTruncated("Unknown status " + formatHex(static_cast<std::uint32_t>(status)), message,
                      driver::kErrorMessageLength);
        return parameterError(2);
    }
    copyTruncated(*text, message, driver::kErrorMessageLength);
    return kSuccess;
}

ViStatus DriverLibrary::dcl(ViSession session) {
    auto lock = context_.lock();
    if (const auto early = begin(lock, LogLine("qot7720_dcl"), session, {})) {
        return *early;
    }
    context_.interruptWaits();
    return kSuccess;
}

ViStatus DriverLibrary::downloadAlg(ViSession session, ViString algorithmName, ViInt32 size,
                                    ViString source) {
    auto lock = context_.lock();
    const LogLine line =
        LogLine("qot7720_downloadAlg").text(algorithmName).number(size).text(source);
    if (const auto early = begin(lock, line, session, textOf(algorithmName))) {
        return *early;
    }
    if (algorithmName == nullptr || !AlgorithmStore::validName(algorithmName)) {
        return parameterError(2);
    }
    if (size < 0) {
        return parameterError(3);
    }
    if (source == nullptr) {
        return parameterError(4);
    }
    context_.state().instrument.state().algorithms.download(algorithmName, size, source);
    return withErrorCheck(session, kSuccess);
}

ViStatus DriverLibrary::algArray(ViSession session, ViString algorithmName, ViString arrayName,
                                 const ViReal64* values, ViInt32 count) {
    auto lock = context_.lock();
    const LogLine line = LogLine("qot7720_algArray")
                             .text(algorithmName)
                             .text(arrayName)
                             .number(count)
                             .reals(values, count);
    if (const auto early = begin(lock, line, session, textOf(algorithmName))) {
        return *early;
    }
    if (algorithmName == nullptr || !AlgorithmStore::validName(algorithmName)) {
        return parameterError(2);
    }
    if (arrayName == nullptr || *arrayName == '\0') {
        return parameterError(3);
    }
    if (values == nullptr && count > 0) {
        return parameterError(4);
    }
    if (count < 0) {
        return parameterError(5);
    }
    std::vector<double> array(values, values + count);
    context_.state().instrument.state().algorithms.setArray(algorithmName, arrayName,
                                                            std::move(array));
    return withErrorCheck(session, kSuccess);
}

ViStatus DriverLibrary::revisionQuery(ViSession session, ViChar* driverRevision,
                                      ViChar* firmwareRevision) {
    auto lock = context_.lock();
    if (const auto early = begin(lock, LogLine("qot7720_revision_query"), session, {})) {
        return *early;
    }
    if (driverRevision == nullptr) {
        return parameterError(2);
    }
    if (firmwareRevision == nullptr) {
        return parameterError(3);
    }
    const DriverBehaviour& behaviour = context_.state().behaviour;
    copyTruncated(behaviour.driverRevision, driverRevision, driver::kRevisionLength);
    copyTruncated(behaviour.firmwareRevision, firmwareRevision, driver::kRevisionLength);
    return kSuccess;
}

}  // namespace sim
