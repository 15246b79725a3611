#pragma once
// Where the chosen instrument sits: VXI slot, logical address and the
// address shown to the operator.

#include <QString>
#include <cstdint>

#include "instrument/visa_functions.h"

struct InstrumentLocation {
    static constexpr std::int16_t kUnknown = 32000;
    std::int16_t slot = kUnknown;
    std::int16_t logicalAddress = kUnknown;
    QString address;
};

// The resource name upper-cased, cut where "::INSTR" begins.
QString InstrumentAddress(const QString& resourceName);

// Reads slot and logical address over a VISA session of its own; each stays
// unknown when it cannot be read (both when the session does not open).
InstrumentLocation ReadInstrumentLocation(const VisaFunctions& visa, ViSession resourceManager,
                                          const QString& resourceName);
