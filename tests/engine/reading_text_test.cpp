#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "app/reading_text.h"

TEST(ReadingText, NoReadingReadsAsDashesAndEveryReadingAsItsNumber) {
    EXPECT_EQ(ReadingText(9.91e37), "----");
    EXPECT_EQ(ReadingText(static_cast<double>(9.91e37f)), "----") << "through single precision";
    EXPECT_EQ(ReadingText(std::nan("")), "----");
    EXPECT_EQ(ReadingText(9.9e37), "9.9e+37") << "an overload is a reading";
    EXPECT_EQ(ReadingText(-9.9e37), "-9.9e+37");
    EXPECT_EQ(ReadingText(0.0), "0");
    EXPECT_EQ(ReadingText(-1.0 / 3.0), "-0.333333");

    // Every reading as printf's "%g" writes it.
    std::vector<double> values = {HUGE_VAL, -HUGE_VAL, 4.9e-324, 999999.5, -0.0};
    for (int exponent = -40; exponent <= 40; ++exponent) {
        for (const double mantissa : {-9.999995, 0.5, 1.2345649, 5.0000051}) {
            values.push_back(mantissa * std::pow(10.0, exponent));
        }
    }
    for (const double value : values) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%g", value);
        EXPECT_EQ(ReadingText(value), expected);
    }
}
