#pragma once
// Numbers typed with an optional unit suffix, and the number texts that the
// configuration pages send. Both are independent of the user's locale: the
// instrument always wants a decimal point.

#include <string>

enum UnitKind : int { kFrequency = 0, kTime = 1, kVoltage = 2 };

struct UnitValue {
    double value = 0.0;
    bool notANumber = true;
    // Something other than blanks and a unit of the kind follows the number.
    bool unknownUnit = false;
};

// The leading decimal number of `text` (white space, sign, digits, point,
// exponent), scaled by its suffix: frequency "GHz", "MHz" (equal) or "kHz"
// (contained); time "ms", "us", "ns"; voltage "mv", "uv", "nv" (contained).
// The base units "Hz", "s" and "v" (equal) leave the number as it is.
// Suffixes are case-sensitive; any other rest leaves the number as read and
// sets unknownUnit, so that the caller can refuse it: "2 mhz" would otherwise
// reach the instrument as 2 Hz.
UnitValue ParseUnitValue(const std::string& text, int kind);

// The units a field of `kind` reads, as the operator is told them:
// "Hz, kHz, MHz, GHz", "s, ms, us, ns" or "v, mv, uv, nv".
std::string UnitNames(int kind);

// `value` as printf's "%.<precision>g" in the C locale ("%g" is precision 6).
std::string FormatG(double value, int precision = 6);
