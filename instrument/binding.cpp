#include "instrument/binding.h"

#include "instrument/emulated_instrument.h"
#include "resources/string_table.h"

BindingResult EmulationFallback() {
    BindingResult result;
    result.instrument = std::make_unique<EmulatedInstrument>();
    result.statusColor = kDarkGreyBrush;
    result.vxiSlot = 32000;
    result.instrumentAddress = strings::LoadString(strings::kEmulated);
    return result;
}

// Live binding (library loading and discovery) is not built yet: every run
// uses the emulated instrument.
BindingResult BindInstrument(const QString&) {
    return EmulationFallback();
}
