#pragma once
// The simulated VISA: resource discovery, sessions, attributes and the *IDN?
// exchange, over the scenario's resource list.

#include <optional>
#include <string_view>

#include "instrument/visa_api.h"
#include "sim/sim_context.h"

namespace sim {

class VisaLibrary {
public:
    explicit VisaLibrary(SimContext& context) : context_(context) {}

    ViStatus openDefaultRm(ViSession* resourceManager);
    ViStatus findRsrc(ViSession resourceManager, ViString expression, ViFindList* list,
                      ViUInt32* count, ViChar* description);
    ViStatus findNext(ViFindList list, ViChar* description);
    ViStatus open(ViSession resourceManager, ViRsrc name, ViAccessMode mode, ViUInt32 timeout,
                  ViSession* session);
    ViStatus getAttribute(ViObject object, ViAttr attribute, void* value);
    ViStatus write(ViSession session, ViConstBuf buffer, ViUInt32 count, ViUInt32* written);
    ViStatus read(ViSession session, ViBuf buffer, ViUInt32 count, ViUInt32* read);
    ViStatus close(ViObject object);
    ViStatus flush(ViSession session, ViUInt16 mask);

private:
    using Lock = SimContext::Lock;

    std::optional<ViStatus> begin(Lock& lock, const LogLine& line, std::string_view text = {});
    // The resource behind an instrument session, or nothing.
    const SimResource* resourceOf(ViObject object);

    SimContext& context_;
};

}  // namespace sim
