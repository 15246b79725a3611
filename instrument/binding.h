#pragma once
// Chooses the instrument session of the run: the live instrument when the
// libraries and the instrument are found, otherwise the emulated one.

#include <QString>
#include <cstdint>
#include <memory>

#include "instrument/instrument_session.h"
#include "platform/colour_ref.h"

struct BindingResult {
    std::unique_ptr<InstrumentSession> instrument;
    ColorRef statusColor = kDarkGreyBrush;
    std::int16_t vxiSlot = 32000;
    std::int16_t vxiLogicalAddress = 32000;
    QString instrumentAddress = QStringLiteral("?");
    // A driver library without one of its functions: the program must end.
    bool fatal = false;
};

// The emulated instrument with its address, slot and dark-grey lamp.
BindingResult EmulationFallback();

// Binds the instrument for `commandLine` (the options /a, /n, /r).
BindingResult BindInstrument(const QString& commandLine);
