#pragma once
// Reads the 16-bit VISA attributes that discovery relies on.

#include <optional>

#include "instrument/visa_functions.h"

// The low 16 bits of the attribute, or nothing when it cannot be read. The
// value is read into a zeroed 32-bit word, so a library that writes more
// than the attribute's two bytes overwrites nothing of ours.
std::optional<ViUInt16> ReadAttribute16(const VisaFunctions& visa, ViSession session,
                                        ViAttr attribute);
