#pragma once
// A number typed with an optional unit suffix ("100 us", "2 MHz", "5mv"),
// scaled to its base unit. Suffixes are matched case-sensitively: "2 mhz" is 2.

#include <string>

enum class UnitKind { Frequency = 0, Time = 1, Voltage = 2 };

struct UnitValue {
    double value = 0.0;
    bool notANumber = true;
};

UnitValue ParseUnitValue(const std::string& text, UnitKind kind);
