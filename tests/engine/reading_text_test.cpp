#include <gtest/gtest.h>

#include <cmath>

#include "app/reading_text.h"

TEST(ReadingText, NoReadingReadsAsDashesAndEveryReadingAsItsNumber) {
    EXPECT_EQ(ReadingText(9.91e37), "----");
    EXPECT_EQ(ReadingText(static_cast<double>(9.91e37f)), "----") << "through single precision";
    EXPECT_EQ(ReadingText(std::nan("")), "----");
    EXPECT_EQ(ReadingText(9.9e37), "9.9e+37") << "an overload is a reading";
    EXPECT_EQ(ReadingText(-9.9e37), "-9.9e+37");
    EXPECT_EQ(ReadingText(0.0), "0");
    EXPECT_EQ(ReadingText(-1.0 / 3.0), "-0.333333");
}
