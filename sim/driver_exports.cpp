// The driver library's C interface: each export hands over to the simulator.
// The static_asserts keep every signature identical to the front panel's
// function-pointer types.

#include <type_traits>

#include "instrument/driver_api.h"
#include "sim/export_guard.h"
#include "sim/simulator.h"

namespace {

sim::DriverLibrary& simulatedDriver() {
    return sim::Simulator::instance().driver();
}

}  // namespace

extern "C" {

ViStatus qot7720_init(ViRsrc resourceName, ViBoolean idQuery, ViBoolean reset, ViSession* session) {
    return sim::guarded(
        [&] { return simulatedDriver().init(resourceName, idQuery, reset, session); });
}

ViStatus qot7720_timeOut(ViSession session, ViInt32 milliseconds) {
    return sim::guarded([&] { return simulatedDriver().timeOut(session, milliseconds); });
}

ViStatus qot7720_errorQueryDetect(ViSession session, ViBoolean enable) {
    return sim::guarded([&] { return simulatedDriver().errorQueryDetect(session, enable); });
}

ViStatus qot7720_cmd(ViSession session, ViString command) {
    return sim::guarded([&] { return simulatedDriver().cmd(session, command); });
}

ViStatus qot7720_cmdString_Q(ViSession session, ViString query, ViInt32 bufferSize,
                             ViChar* answer) {
    return sim::guarded(
        [&] { return simulatedDriver().cmdStringQ(session, query, bufferSize, answer); });
}

ViStatus qot7720_cmdInt32_Q(ViSession session, ViString query, ViInt32* answer) {
    return sim::guarded([&] { return simulatedDriver().cmdInt32Q(session, query, answer); });
}

ViStatus qot7720_cmdReal64_Q(ViSession session, ViString query, ViReal64* answer) {
    return sim::guarded([&] { return simulatedDriver().cmdReal64Q(session, query, answer); });
}

ViStatus qot7720_readCVT_Q(ViSession session, ViInt16 firstElement, ViInt16 count,
                           ViReal64* values) {
    return sim::guarded(
        [&] { return simulatedDriver().readCvtQ(session, firstElement, count, values); });
}

ViStatus qot7720_readFifo_Q(ViSession session, ViInt32 count, ViInt32 capacity, ViReal64* values) {
    return sim::guarded(
        [&] { return simulatedDriver().readFifoQ(session, count, capacity, values); });
}

ViStatus qot7720_readFifoFast_Q(ViSession session, ViInt32 count, ViReal64* values) {
    return sim::guarded([&] { return simulatedDriver().readFifoFastQ(session, count, values); });
}

ViStatus qot7720_self_test(ViSession session, ViInt16* result, ViChar* message) {
    return sim::guarded([&] { return simulatedDriver().selfTest(session, result, message); });
}

ViStatus qot7720_error_query(ViSession session, ViInt32* code, ViChar* message) {
    return sim::guarded([&] { return simulatedDriver().errorQuery(session, code, message); });
}

ViStatus qot7720_error_message(ViSession session, ViStatus status, ViChar* message) {
    return sim::guarded([&] { return simulatedDriver().errorMessage(session, status, message); });
}

ViStatus qot7720_dcl(ViSession session) {
    return sim::guarded([&] { return simulatedDriver().dcl(session); });
}

ViStatus qot7720_downloadAlg(ViSession session, ViString algorithmName, ViInt32 size,
                             ViString source) {
    return sim::guarded(
        [&] { return simulatedDriver().downloadAlg(session, algorithmName, size, source); });
}

ViStatus qot7720_algArray(ViSession session, ViString algorithmName, ViString arrayName,
                          const ViReal64* values, ViInt32 count) {
    return sim::guarded([&] {
        return simulatedDriver().algArray(session, algorithmName, arrayName, values, count);
    });
}

ViStatus qot7720_revision_query(ViSession session, ViChar* driverRevision,
                                ViChar* firmwareRevision) {
    return sim::guarded(
        [&] { return simulatedDriver().revisionQuery(session, driverRevision, firmwareRevision); });
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&qot7720_init), Qot7720InitFn>);
static_assert(std::is_same_v<decltype(&qot7720_timeOut), Qot7720TimeOutFn>);
static_assert(std::is_same_v<decltype(&qot7720_errorQueryDetect), Qot7720ErrorQueryDetectFn>);
static_assert(std::is_same_v<decltype(&qot7720_cmd), Qot7720CmdFn>);
static_assert(std::is_same_v<decltype(&qot7720_cmdString_Q), Qot7720CmdStringQFn>);
static_assert(std::is_same_v<decltype(&qot7720_cmdInt32_Q), Qot7720CmdInt32QFn>);
static_assert(std::is_same_v<decltype(&qot7720_cmdReal64_Q), Qot7720CmdReal64QFn>);
static_assert(std::is_same_v<decltype(&qot7720_readCVT_Q), Qot7720ReadCvtQFn>);
static_assert(std::is_same_v<decltype(&qot7720_readFifo_Q), Qot7720ReadFifoQFn>);
static_assert(std::is_same_v<decltype(&qot7720_readFifoFast_Q), Qot7720ReadFifoFastQFn>);
static_assert(std::is_same_v<decltype(&qot7720_self_test), Qot7720SelfTestFn>);
static_assert(std::is_same_v<decltype(&qot7720_error_query), Qot7720ErrorQueryFn>);
static_assert(std::is_same_v<decltype(&qot7720_error_message), Qot7720ErrorMessageFn>);
static_assert(std::is_same_v<decltype(&qot7720_dcl), Qot7720DclFn>);
static_assert(std::is_same_v<decltype(&qot7720_downloadAlg), Qot7720DownloadAlgFn>);
static_assert(std::is_same_v<decltype(&qot7720_algArray), Qot7720AlgArrayFn>);
static_assert(std::is_same_v<decltype(&qot7720_revision_query), Qot7720RevisionQueryFn>);
