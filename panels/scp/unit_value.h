#pragma once
// Numbers typed with an optional unit suffix, and the number texts that the
// configuration pages send. Both are independent of the user's locale: the
// instrument always wants a decimal point.

#include <string>

enum UnitKind : int { kFrequency = 0, kTime = 1, kVoltage = 2 };

struct UnitValue {
    double value = 0.0;
    bool notANumber = true;
};

// The leading decimal number of `text` (white space, sign, digits, point,
// exponent), scaled by its suffix: frequency "GHz", "MHz" (equal) or "kHz"
// (contained); time "ms", "us", "ns"; voltage "mv", "uv", "nv" (contained).
// Suffixes are case-sensitive; an unknown suffix leaves the number as read.
UnitValue ParseUnitValue(const std::string& text, int kind);

// `value` as printf's "%.<precision>g" in the C locale ("%g" is precision 6).
std::string FormatG(double value, int precision = 6);
