// The VISA library's C interface: each export hands over to the simulator.
// The static_asserts keep every signature identical to the front panel's
// function-pointer types.

#include <type_traits>

#include "instrument/visa_api.h"
#include "sim/export_guard.h"
#include "sim/simulator.h"

namespace {

sim::VisaLibrary& visaLibrary() {
    return sim::Simulator::instance().visa();
}

}  // namespace

extern "C" {

ViStatus viOpenDefaultRM(ViSession* resourceManager) {
    return sim::guarded([&] { return visaLibrary().openDefaultRm(resourceManager); });
}

ViStatus viFindRsrc(ViSession resourceManager, ViString expression, ViFindList* list,
                    ViUInt32* count, ViChar* description) {
    return sim::guarded([&] {
        return visaLibrary().findRsrc(resourceManager, expression, list, count, description);
    });
}

ViStatus viFindNext(ViFindList list, ViChar* description) {
    return sim::guarded([&] { return visaLibrary().findNext(list, description); });
}

ViStatus viOpen(ViSession resourceManager, ViRsrc name, ViAccessMode mode, ViUInt32 timeout,
                ViSession* session) {
    return sim::guarded(
        [&] { return visaLibrary().open(resourceManager, name, mode, timeout, session); });
}

ViStatus viGetAttribute(ViObject object, ViAttr attribute, void* value) {
    return sim::guarded([&] { return visaLibrary().getAttribute(object, attribute, value); });
}

ViStatus viWrite(ViSession session, ViConstBuf buffer, ViUInt32 count, ViUInt32* written) {
    return sim::guarded([&] { return visaLibrary().write(session, buffer, count, written); });
}

ViStatus viRead(ViSession session, ViBuf buffer, ViUInt32 count, ViUInt32* read) {
    return sim::guarded([&] { return visaLibrary().read(session, buffer, count, read); });
}

ViStatus viClose(ViObject object) {
    return sim::guarded([&] { return visaLibrary().close(object); });
}

ViStatus viFlush(ViSession session, ViUInt16 mask) {
    return sim::guarded([&] { return visaLibrary().flush(session, mask); });
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&viOpenDefaultRM), ViOpenDefaultRMFn>);
static_assert(std::is_same_v<decltype(&viFindRsrc), ViFindRsrcFn>);
static_assert(std::is_same_v<decltype(&viFindNext), ViFindNextFn>);
static_assert(std::is_same_v<decltype(&viOpen), ViOpenFn>);
static_assert(std::is_same_v<decltype(&viGetAttribute), ViGetAttributeFn>);
static_assert(std::is_same_v<decltype(&viWrite), ViWriteFn>);
static_assert(std::is_same_v<decltype(&viRead), ViReadFn>);
static_assert(std::is_same_v<decltype(&viClose), ViCloseFn>);
static_assert(std::is_same_v<decltype(&viFlush), ViFlushFn>);
