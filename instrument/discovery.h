#pragma once
// Finds the instruments among the VISA resources: every "?*INSTR" resource
// that identifies itself as a QOT7720, or every one that opens when the
// operator asked to accept all.

#include <QByteArray>
#include <QStringList>

#include "instrument/visa_functions.h"

struct DiscoveryResult {
    bool searchFailed = false;
    // Accepted resource names, in the order VISA returned them.
    QStringList candidates;
};

// `expectedIdentification` is the start of a GPIB instrument's "*IDN?" answer.
DiscoveryResult DiscoverInstruments(const VisaFunctions& visa, ViSession resourceManager,
                                    bool acceptAll, const QByteArray& expectedIdentification);
