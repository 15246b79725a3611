#pragma once
// The simulated instrument driver: the qot7720_* calls (without the session
// argument's C linkage), each logged, subject to the fault rules, and run
// against the simulated instrument.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "instrument/driver_api.h"
#include "sim/sim_context.h"

namespace sim {

class DriverLibrary {
public:
    explicit DriverLibrary(SimContext& context) : context_(context) {}

    ViStatus init(ViRsrc resourceName, ViBoolean idQuery, ViBoolean reset, ViSession* session);
    ViStatus timeOut(ViSession session, ViInt32 milliseconds);
    ViStatus errorQueryDetect(ViSession session, ViBoolean enable);
    ViStatus cmd(ViSession session, ViString command);
    ViStatus cmdStringQ(ViSession session, ViString query, ViInt32 bufferSize, ViChar* answer);
    ViStatus cmdInt32Q(ViSession session, ViString query, ViInt32* answer);
    ViStatus cmdReal64Q(ViSession session, ViString query, ViReal64* answer);
    ViStatus readCvtQ(ViSession session, ViInt16 firstElement, ViInt16 count, ViReal64* values);
    ViStatus readFifoQ(ViSession session, ViInt32 count, ViInt32 capacity, ViReal64* values);
    ViStatus readFifoFastQ(ViSession session, ViInt32 count, ViReal64* values);
    ViStatus selfTest(ViSession session, ViInt16* result, ViChar* message);
    ViStatus errorQuery(ViSession session, ViInt32* code, ViChar* message);
    ViStatus errorMessage(ViSession session, ViStatus status, ViChar* message);
    ViStatus dcl(ViSession session);
    ViStatus downloadAlg(ViSession session, ViString algorithmName, ViInt32 size, ViString source);
    ViStatus algArray(ViSession session, ViString algorithmName, ViString arrayName,
                      const ViReal64* values, ViInt32 count);
    ViStatus revisionQuery(ViSession session, ViChar* driverRevision, ViChar* firmwareRevision);

private:
    using Lock = SimContext::Lock;
    using Deliver = std::function<ViStatus(const std::string& answer)>;

    struct Outcome {
        ViStatus status = 0;
        std::optional<std::string> answer;
    };

    // Logs, applies the fault rules and checks the session.
    std::optional<ViStatus> begin(Lock& lock, const LogLine& line, ViSession session,
                                  std::string_view text);
    std::chrono::milliseconds timeoutOf(ViSession session);
    Outcome runScpi(Lock& lock, ViSession session, std::string_view text);
    ViStatus query(ViSession session, const LogLine& line, ViString text, const Deliver& deliver);
    ViStatus takeFifo(Lock& lock, ViSession session, ViInt32 count, ViReal64* values);
    // Error-query detection is on and the instrument's error queue is not empty.
    bool errorReported(ViSession session);
    // With error-query detection on, a queued instrument error turns success
    // into kInstrumentErrorQueued.
    ViStatus withErrorCheck(ViSession session, ViStatus status);

    SimContext& context_;
};

}  // namespace sim
