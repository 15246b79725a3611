#pragma once
// No exception may leave a library through its C interface.

#include <exception>

#include "instrument/visa_api.h"
#include "sim/sim_status.h"

namespace sim {

template <typename Call>
ViStatus guarded(Call call) noexcept {
    try {
        return call();
    } catch (...) {
        return kErrorSystem;
    }
}

}  // namespace sim
