#pragma once
// Status codes the simulated libraries return beyond those the front panel
// itself names (instrument/visa_api.h, instrument/driver_api.h). Values follow
// the public VISA and VXIplug&play conventions.

#include "instrument/visa_api.h"

namespace sim {

constexpr ViStatus kSuccessMaxCount = 0x3FFF0006;  // read stopped at the caller's count
constexpr ViStatus kErrorSystem = static_cast<ViStatus>(0xBFFF0000u);
constexpr ViStatus kErrorInvalidExpression = static_cast<ViStatus>(0xBFFF0010u);
constexpr ViStatus kErrorInvalidResourceName = static_cast<ViStatus>(0xBFFF0012u);
constexpr ViStatus kErrorAbort = static_cast<ViStatus>(0xBFFF0030u);
constexpr ViStatus kErrorUserBuffer = static_cast<ViStatus>(0xBFFF0071u);
constexpr ViStatus kErrorFailedIdQuery = static_cast<ViStatus>(0xBFFC0011u);
constexpr ViStatus kErrorInvalidResponse = static_cast<ViStatus>(0xBFFC0012u);

// The driver's "parameter n is invalid" family (n counts from 1, the session).
constexpr ViStatus parameterError(int position) {
    return static_cast<ViStatus>(0xBFFC0000u + static_cast<unsigned>(position));
}

}  // namespace sim
