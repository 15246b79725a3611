#pragma once
// Numbers typed with a unit suffix ("2mv", "10 ms", "1.5kHz"), read into
// base units (hertz, seconds, volts).

#include <string>

namespace unit_kind {
constexpr int kFrequency = 0;
constexpr int kTime = 1;
constexpr int kVoltage = 2;
}  // namespace unit_kind

struct UnitValue {
    double value = 0.0;
    bool notANumber = true;
};

// The leading decimal number of `text` (blanks, sign, digits with an optional
// point, optional exponent), scaled by the unit in the rest of the text:
// frequency "GHz" / "MHz" (whole rest) or containing "kHz"; time containing
// "ms", "us" or "ns"; voltage containing "mv", "uv" or "nv". Case matters; an
// unknown rest or kind leaves the number as read. No number: 0, notANumber.
UnitValue ParseUnitValue(const std::string& text, int kind);
