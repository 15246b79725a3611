#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "panels/scp/unit_value.h"

namespace {

TEST(ParseUnitValueTest, ReadsTheLeadingNumberAndScalesByTheSuffixCaseSensitively) {
    struct Row {
        const char* text;
        int kind;
        double value;
        bool notANumber;
    };
    const Row rows[] = {
        {"1.5 kHz", kFrequency, 1500.0, false},
        {"2 MHz", kFrequency, 2e6, false},
        {"2 mhz", kFrequency, 2.0, false},
        {"3GHz", kFrequency, 3e9, false},
        {"4 kHz-ish", kFrequency, 4000.0, false},  // kHz by containment
        {"5 MHz ", kFrequency, 5e6, false},        // rest trimmed, then equality
        {"100us", kTime, 1e-4, false},
        {" -2.5e-1 ms", kTime, -2.5e-4, false},
        {"2mv", kVoltage, 0.002, false},
        {"5 V", kVoltage, 5.0, false},
        {"+.5", kVoltage, 0.5, false},
        {"MAX", kFrequency, 0.0, true},
        {"inf", kVoltage, 0.0, true},
        {"", kTime, 0.0, true},
        {".", kTime, 0.0, true},
        {"2mv", kVoltage, 0.002, false},
        {"2mV", kVoltage, 2, false},
        {" 3 uv ", kVoltage, 3e-6, false},
        {"4nv", kVoltage, 4e-9, false},
        {"5ms", kVoltage, 5, false},
        {"-.5e1ms", kTime, -0.005, false},
        {"7us", kTime, 7e-6, false},
        {"8 nsec", kTime, 8e-9, false},
        {"1.5kHz", kFrequency, 1500, false},
        {"2 GHz", kFrequency, 2e9, false},
        {"2GHzx", kFrequency, 2, false},
        {"3MHz", kFrequency, 3e6, false},
        {"3mhz", kFrequency, 3, false},
        {"6ms", 7, 6, false},
        {"1e", kTime, 1, false},
        {"1e-3", kTime, 0.001, false},
        {"5.", kTime, 5, false},
        {"0x10", kTime, 0, false},
        {"", kTime, 0, true},
        {"ms", kTime, 0, true},
        {".", kVoltage, 0, true},
        {"-", kVoltage, 0, true},
        {"inf", kVoltage, 0, true},
        {"nan", kVoltage, 0, true},
        {"1e308GHz", kFrequency, 0, true},  // not finite once scaled
        {"2e305 kHz", kFrequency, 0, true},
        {"-1e308GHz", kFrequency, 0, true},
        {"1e299GHz", kFrequency, 1e308, false},
    };
    for (const Row& row : rows) {
        const UnitValue parsed = ParseUnitValue(row.text, row.kind);
        EXPECT_EQ(parsed.notANumber, row.notANumber) << row.text;
        EXPECT_NEAR(parsed.value, row.value, std::fabs(row.value) * 1e-12) << row.text;
    }
}

// Read without it, each would be sent a thousand or a million times off.
TEST(ParseUnitValueTest, ARestThatIsNoUnitOfTheKindIsFlagged) {
    const std::pair<const char*, int> unknown[] = {
        {"2 mhz", kFrequency}, {"50k", kFrequency}, {"2GHzx", kFrequency}, {"2mV", kVoltage},
        {"5ms", kVoltage},     {"2 MS", kTime},     {"1e", kTime},         {"6ms", 7}};
    const std::pair<const char*, int> known[] = {
        {"50 Hz", kFrequency}, {"4 kHz-ish", kFrequency}, {"2 MHz ", kFrequency}, {"7", 7},
        {"2 s", kTime},        {"8 nsec", kTime},         {" 3 v ", kVoltage}};
    for (const auto& [text, kind] : unknown) {
        EXPECT_TRUE(ParseUnitValue(text, kind).unknownUnit) << text;
    }
    for (const auto& [text, kind] : known) {
        EXPECT_FALSE(ParseUnitValue(text, kind).unknownUnit) << text;
    }
}

TEST(ParseUnitValueTest, NumbersAreWrittenAsPrintfWouldInTheCLocale) {
    EXPECT_EQ(FormatG(1500.0, 3), "1.5e+03");
    EXPECT_EQ(FormatG(2e6, 3), "2e+06");
    EXPECT_EQ(FormatG(10.0, 3), "10");
    EXPECT_EQ(FormatG(1e-4), "0.0001");
    // Every precision, as wide as it gets, gives printf's own text.
    for (const double value : {7.5e78, -1.2345678901234567e-5, 1e59, -0.0}) {
        for (const int precision : {-1, 0, 17, 60, 120}) {
            char expected[512];
            std::snprintf(expected, sizeof expected, "%.*g", precision, value);
            EXPECT_EQ(FormatG(value, precision), expected) << value << ' ' << precision;
        }
    }
}

}  // namespace
