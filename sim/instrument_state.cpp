#include "sim/instrument_state.h"

#include "sim/scpi_error.h"

namespace sim {

void InstrumentState::queueError(int code, std::string message) {
    if (message.empty()) {
        message = standardErrorMessage(code);
    }
    errors.push(InstrumentError{code, std::move(message)});
    status.noteError(code);
}

void InstrumentState::resetSettings() {
    settings.restoreDefaults();
    scanLists.reset();
    measurement.abort();
    data.resetCvt();
    data.resetFifo();
    data.setFifoOverwrite(false);
    data.clearLimitFlags();
    algorithms.clear();
    dataFormat = "ASC,7";
    syncOperationStatus();
}

void InstrumentState::syncOperationStatus() {
    status.setOperationCondition(measurement.running() ? StatusRegisters::kOperationMeasuring : 0);
}

}  // namespace sim
