#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QKeyEvent>

#include "controls/slide_switch.h"
#include "platform/tick_count.h"
#include "resources/string_table.h"
#include "surface_page.h"

namespace {

constexpr int kMessage = 1125;
const QRect kRectangle(10, 10, 90, 170);
constexpr int kStyle = SlideSwitch::kSunkenFrame | SlideSwitch::kDetents;

struct LayoutRow {
    QRect rectangle;
    int textHeight;
    int detents;
    int thumbLeft, thumbWidth, thumbHeight;
    int trackLeft, trackTop, trackBottom, tickColumn;
};

class SlideLayoutRows : public ::testing::TestWithParam<LayoutRow> {};

TEST_P(SlideLayoutRows, PlaceThumbTrackAndTicks) {
    const LayoutRow& row = GetParam();
    const slide::Layout layout = slide::LayoutIn(row.rectangle, row.textHeight, row.detents);
    EXPECT_EQ(layout.thumbLeft, row.thumbLeft);
    EXPECT_EQ(layout.thumbSize, QSize(row.thumbWidth, row.thumbHeight));
    EXPECT_EQ(layout.track.left(), row.trackLeft);
    EXPECT_EQ(layout.track.width(), 6);
    EXPECT_EQ(layout.trackTop, row.trackTop);
    EXPECT_EQ(layout.trackBottom, row.trackBottom);
    EXPECT_EQ(layout.tickColumn, row.tickColumn);
    ASSERT_EQ(static_cast<int>(layout.ticks.size()), row.detents);
    EXPECT_EQ(layout.ticks.front(), row.trackTop);
    EXPECT_EQ(layout.ticks.back(), row.trackBottom);
}

// thumb width = w / 3, height = half of it; thumb left = left + height - w / 10;
// track left = thumb centre - 4; track from text + height / 2 + top + 5 to
// bottom - height / 2 - 4; tick column = thumb right + 3.
INSTANTIATE_TEST_SUITE_P(
    Rows, SlideLayoutRows,
    ::testing::Values(LayoutRow{QRect(10, 10, 90, 170), 13, 8, 16, 30, 15, 27, 35, 169, 49},
                      LayoutRow{QRect(0, 0, 60, 100), 16, 8, 4, 20, 10, 10, 26, 91, 27},
                      LayoutRow{QRect(0, 0, 60, 100), 16, 3, 4, 20, 10, 10, 26, 91, 27}));

TEST(SlideTicks, SpreadEvenlyWithTheLastOnTheBottom) {
    const slide::Layout layout = slide::LayoutIn(QRect(10, 10, 90, 170), 13, 8);
    // 134 pixels over seven gaps.
    EXPECT_EQ(layout.ticks, (std::vector<int>{35, 54, 73, 92, 111, 130, 149, 169}));
}

TEST(SlideTicks, OneOrNoDetentSitsAtTheTrackTop) {
    EXPECT_EQ(slide::LayoutIn(QRect(10, 10, 90, 170), 13, 1).ticks, std::vector<int>{35});
    EXPECT_TRUE(slide::LayoutIn(QRect(10, 10, 90, 170), 13, 0).ticks.empty());
}

TEST(SlideSnapping, StaysWithinSixPixelsThenStepsTowardsTheMouse) {
    const std::vector<int> ticks = {20, 40, 60, 80};
    EXPECT_FALSE(slide::SnapDrag(ticks, 1, 40, 45).moved);
    EXPECT_FALSE(slide::SnapDrag(ticks, 1, 40, 35).moved);
    EXPECT_EQ(slide::SnapDrag(ticks, 1, 40, 46).selected, 2);
    EXPECT_EQ(slide::SnapDrag(ticks, 1, 40, 34).selected, 0);
    // One detent per move, however far the mouse went.
    EXPECT_EQ(slide::SnapDrag(ticks, 0, 20, 80).selected, 1);
    // Never past either end.
    EXPECT_EQ(slide::SnapDrag(ticks, 3, 70, 80).selected, 3);
    EXPECT_EQ(slide::SnapDrag(ticks, 0, 30, 20).selected, 0);
}

TEST(SlideNearestTick, FirstOfEqualsWins) {
    const std::vector<int> ticks = {20, 40, 60};
    EXPECT_EQ(slide::NearestTick(ticks, 29), 0);
    EXPECT_EQ(slide::NearestTick(ticks, 30), 0);
    EXPECT_EQ(slide::NearestTick(ticks, 31), 1);
    EXPECT_EQ(slide::NearestTick(ticks, 500), 2);
    EXPECT_EQ(slide::NearestTick({}, 5), -1);
}

class SlideSwitchTest : public ::testing::Test {
protected:
    // Trigger line lever: eight detents TTLT 0 .. TTLT 7.
    SlideSwitchTest()
        : lever(page, strings::kTrigTtltList, strings::kTrigTtltTitle, kStyle, kMessage, kRectangle,
                0xC0C0C0, kWhite, Rgb(0x80, 0x80, 0x80), 0xFF0000) {
        lever.SetCursorMover([this](const QPoint& point) { cursor.push_back(point); });
    }

    int Tick(int index) const {
        return lever.LayoutGeometry().ticks[static_cast<std::size_t>(index)];
    }

    void Click(const QPoint& point) {
        lever.MouseDown(point);
        lever.MouseUp(point);
    }

    SurfacePage page;
    SlideSwitch lever;
    std::vector<QPoint> cursor;
};

TEST_F(SlideSwitchTest, EightLabelsDrawEightTicksTheLastOnTheTrackBottom) {
    const QImage image = page.Render(lever);
    const slide::Layout& layout = lever.LayoutGeometry();
    const int textHeight = QFontMetrics(page.font()).height();
    // From the rectangle alone: track bottom = 180 - 15 / 2 - 4, top = text + 7 + 10 + 5.
    EXPECT_EQ(layout.trackBottom, 169);
    EXPECT_EQ(layout.trackTop, textHeight + 22);
    // Walk down the column right of the tick line: each black run is one tick.
    const int x = layout.tickColumn + 3;
    std::vector<int> ticks;
    for (int y = kRectangle.top(); y < kRectangle.bottom(); ++y) {
        const bool black = image.pixel(x, y) == qRgb(0, 0, 0);
        const bool above = image.pixel(x, y - 1) == qRgb(0, 0, 0);
        if (black && !above) {
            ticks.push_back(y);
        }
    }
    ASSERT_EQ(ticks.size(), 8u);
    EXPECT_EQ(ticks.front(), layout.trackTop);
    EXPECT_EQ(ticks.back(), layout.trackBottom);
    // The track itself is a black slot with a highlight below it.
    EXPECT_EQ(image.pixel(layout.track.center()), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(layout.track.left() + 1, layout.trackBottom + 1), qRgb(255, 255, 255));
}

TEST_F(SlideSwitchTest, ThumbSitsOnTheSelectedTick) {
    lever.SetPosition(5);
    const QImage image = page.Render(lever);
    const QRect thumb = lever.Thumb();
    EXPECT_EQ(thumb.center().y(), Tick(5));
    // The arrow is face coloured with a highlight edge along its top.
    EXPECT_EQ(image.pixel(thumb.left() + 6, thumb.center().y()), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(image.pixel(thumb.left() + 6, thumb.top() + 2), qRgb(255, 255, 255));
}

TEST_F(SlideSwitchTest, ClickOnTheTrackSelectsTheNearestTick) {
    page.Render(lever);
    const int between = (2 * Tick(3) + Tick(4)) / 3;  // nearer to tick 3
    Click(QPoint(lever.LayoutGeometry().track.center().x(), between));
    EXPECT_EQ(lever.Selected(), 3);
    EXPECT_EQ(page.TakeMessages(), std::vector<int>{kMessage});
    Click(QPoint(kRectangle.center().x(), kRectangle.bottom() - 2));
    EXPECT_EQ(lever.Selected(), 7);
}

TEST_F(SlideSwitchTest, ReleaseOutsideNotifiesButKeepsTheSelection) {
    page.Render(lever);
    lever.MouseDown(QPoint(lever.LayoutGeometry().track.center().x(), Tick(4)));
    lever.MouseUp(QPoint(300, Tick(4)));
    EXPECT_EQ(lever.Selected(), 0);
    EXPECT_EQ(page.TakeMessages(), std::vector<int>{kMessage});
}

TEST_F(SlideSwitchTest, DisabledLeverIgnoresAllMouseInput) {
    page.Render(lever);
    lever.Enable(false);
    const QPoint thumb = lever.Thumb().center();
    lever.MouseDown(thumb);
    platform::AdvanceTickCount(100);
    lever.MouseMove(thumb + QPoint(0, 30));
    lever.MouseUp(QPoint(thumb.x(), Tick(5)));
    EXPECT_EQ(lever.Selected(), 0);
    EXPECT_FALSE(lever.Dragging());
    EXPECT_TRUE(cursor.empty());
    EXPECT_TRUE(page.TakeMessages().empty());
}

TEST_F(SlideSwitchTest, PressOnTheThumbDragsAfter75MsAnd3Pixels) {
    page.Render(lever);
    const QPoint press = lever.Thumb().center();
    lever.MouseDown(press);
    lever.MouseMove(press + QPoint(0, 10));  // at once: still only pending
    EXPECT_FALSE(lever.Dragging());
    platform::AdvanceTickCount(80);
    lever.MouseMove(press + QPoint(0, 2));  // waited, but moved only 2 pixels
    EXPECT_FALSE(lever.Dragging());
    lever.MouseMove(press + QPoint(0, 4));
    EXPECT_TRUE(lever.Dragging());
    EXPECT_EQ(lever.Selected(), 0);  // less than 6 pixels from the tick
    lever.MouseMove(QPoint(press.x(), Tick(0) + 7));
    EXPECT_EQ(lever.Selected(), 1);
    ASSERT_EQ(cursor.size(), 1u);
    EXPECT_EQ(cursor.back(), QPoint(press.x(), Tick(1)));
    EXPECT_TRUE(page.TakeMessages().empty());  // nothing is posted during a drag
    // Released nearer to tick 2, but the drag snapped: the selection stays.
    lever.MouseUp(QPoint(press.x(), Tick(1) + 5));
    EXPECT_FALSE(lever.Dragging());
    EXPECT_EQ(lever.Selected(), 1);
    EXPECT_EQ(page.TakeMessages(), std::vector<int>{kMessage});
}

TEST_F(SlideSwitchTest, SetPositionOutOfRangeIsIgnoredAndNeverNotifies) {
    lever.SetPosition(8);
    EXPECT_EQ(lever.Selected(), 0);
    lever.SetPosition(7);
    EXPECT_EQ(lever.Selected(), 7);
    EXPECT_TRUE(page.TakeMessages().empty());
}

TEST_F(SlideSwitchTest, ArrowKeysOnTheFocusedLeverStepAndNotify) {
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(lever.FocusWidget(), &down);
    EXPECT_EQ(lever.Selected(), 1);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QCoreApplication::sendEvent(lever.FocusWidget(), &up);
    QCoreApplication::sendEvent(lever.FocusWidget(), &up);  // at the top: nothing
    EXPECT_EQ(lever.Selected(), 0);
    EXPECT_EQ(page.TakeMessages(), (std::vector<int>{kMessage, kMessage}));
}

}  // namespace
