#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/channel_list.h"

namespace {

std::vector<int> Numbers(const ChannelSet& set) {
    return std::vector<int>(set.numbers.begin(), set.numbers.begin() + set.Count());
}

}  // namespace

TEST(ParseChannelList, ExpandsRangesInOrderAndSetsMaskBits) {
    const ChannelSet set = ParseChannelList("0:7,9,26:28");
    EXPECT_EQ(Numbers(set), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 9, 26, 27, 28}));
    EXPECT_EQ(set.maskLow, 0xFFu | (1u << 9) | (1u << 26) | (1u << 27) | (1u << 28));
    EXPECT_EQ(set.maskHigh, 0u);
    EXPECT_EQ(set.lastIndex, 11);
}

TEST(ParseChannelList, HighChannelsGoToTheUpperMask) {
    const ChannelSet set = ParseChannelList("31,32,63,64");
    EXPECT_EQ(set.maskLow, 1u << 31);
    EXPECT_EQ(set.maskHigh, (1u << 0) | (1u << 31));
    EXPECT_EQ(Numbers(set), (std::vector<int>{31, 32, 63, 64}));
}

TEST(ParseChannelList, InstrumentChannelsAreListedWithoutMaskBits) {
    const ChannelSet set = ParseChannelList("(@100:103)");
    EXPECT_EQ(Numbers(set), (std::vector<int>{100, 101, 102, 103}));
    EXPECT_EQ(set.maskLow, 0u);
    EXPECT_EQ(set.maskHigh, 0u);
}

TEST(ParseChannelList, ListsThatNameNothing) {
    for (const char* text : {"", "5:3", "7:", "(@)", "abc"}) {
        const ChannelSet set = ParseChannelList(text);
        EXPECT_EQ(set.lastIndex, -1) << text;
        EXPECT_EQ(set.maskLow, 0u) << text;
    }
}

TEST(ParseChannelList, AnyNonDigitSeparatesAndMinusIsNoRange) {
    EXPECT_EQ(Numbers(ParseChannelList("100-107")), (std::vector<int>{100, 107}));
    EXPECT_EQ(Numbers(ParseChannelList("1 2  3")), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Numbers(ParseChannelList("4 : 6")), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(Numbers(ParseChannelList("2,2")), (std::vector<int>{2, 2}));
}

TEST(ParseChannelList, KeepsTheFirst64NumbersOfALongerList) {
    std::string text;
    for (int n = 0; n < 100; ++n) {
        text += std::to_string(100 + n) + ",";
    }
    const ChannelSet set = ParseChannelList(text);
    ASSERT_EQ(set.Count(), kChannelSetCapacity);
    EXPECT_EQ(set.numbers.front(), 100);
    EXPECT_EQ(set.numbers.back(), 163);
}

TEST(ParseChannelList, AHugeRangeStopsAtCapacity) {
    const ChannelSet set = ParseChannelList("0:99999999999");
    ASSERT_EQ(set.Count(), kChannelSetCapacity);
    EXPECT_EQ(set.numbers.back(), 63);
    EXPECT_EQ(set.maskLow, 0xFFFFFFFFu);
    EXPECT_EQ(set.maskHigh, 0xFFFFFFFFu);
}
