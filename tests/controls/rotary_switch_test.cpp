#include <gtest/gtest.h>

#include <QKeyEvent>
#include <cmath>

#include "controls/rotary_switch.h"
#include "resources/string_table.h"
#include "surface_page.h"

namespace {

constexpr int kMessage = 1124;
const QRect kRectangle(20, 10, 200, 170);
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kFace = qRgb(0xC0, 0xC0, 0xC0);

class RotarySwitchTest : public ::testing::Test {
protected:
    // Trigger source knob: seven positions TTLT SCP IMM HOLD Timer EXT BUS.
    RotarySwitchTest()
        : knob(strings::kTrigSourceList, strings::kTrigSourceTitle, page, kRectangle, 3.5,
               PaletteRgb(0, 0, 255), kMessage) {
        knob.SetCursorMover([this](const QPoint& point) { cursor.push_back(point); });
        page.Render(knob);  // lays out with the painting font, as the page's first paint does
    }

    QPoint AtAngle(double radius, double degrees) const {
        return rotary::PointAt(knob.KnobGeometry().centre, radius, rotary::ToRadians(degrees));
    }

    double AnchorRadius() const { return 1.03 * knob.KnobGeometry().ringRadius; }

    void Click(const QPoint& point) {
        knob.MouseDown(point);
        knob.MouseUp(point);
    }

    SurfacePage page;
    RotarySwitch knob;
    std::vector<QPoint> cursor;
};

TEST_F(RotarySwitchTest, SevenLabelsGiveTheSevenPositionAngles) {
    ASSERT_EQ(knob.Count(), 7);
    const double degrees[] = {225, 180, 135, 90, 45, 0, 315};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(knob.Anchors()[static_cast<std::size_t>(i)], AtAngle(AnchorRadius(), degrees[i]))
            << knob.Labels()[i].toStdString();
    }
}

TEST_F(RotarySwitchTest, SixLabelsLeaveTheTopEmpty) {
    RotarySwitch arm(strings::kArmSourceList, strings::kArmSourceTitle, page, kRectangle, 3.5,
                     PaletteRgb(0, 0, 255), kMessage);
    ASSERT_EQ(arm.Count(), 6);
    const QPoint centre = arm.KnobGeometry().centre;
    for (const QPoint& anchor : arm.Anchors()) {
        EXPECT_FALSE(anchor.x() == centre.x() && anchor.y() < centre.y());
    }
}

TEST_F(RotarySwitchTest, RingIsDarkLowerRightAndWhiteUpperLeft) {
    const QImage image = page.Render(knob);
    const rotary::Knob& geometry = knob.KnobGeometry();
    const double ring = (geometry.innerRadius + geometry.square.width() / 2.0) / 2;
    for (const double dark : {270.0, 315.0, 0.0}) {
        EXPECT_EQ(image.pixel(AtAngle(ring, dark)), qRgb(0x40, 0x40, 0x40)) << dark;
    }
    for (const double light : {90.0, 135.0, 180.0}) {
        EXPECT_EQ(image.pixel(AtAngle(ring, light)), qRgb(255, 255, 255)) << light;
    }
    // Inside the ring: the grey disc; the pointer starts at TTLT (225 degrees) in cyan.
    EXPECT_EQ(image.pixel(AtAngle(geometry.innerRadius / 2, 90)), qRgb(0x80, 0x80, 0x80));
    EXPECT_EQ(image.pixel(AtAngle(0.9 * geometry.innerRadius, 225)), qRgb(0, 255, 255));
}

int CountPixels(const QImage& image, const QRect& rect, QRgb colour) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            count += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

TEST_F(RotarySwitchTest, OnlyTheSelectedLabelIsOnYellow) {
    knob.SetPosition(4);
    const QImage image = page.Render(knob);
    for (int i = 0; i < knob.Count(); ++i) {
        const QRect label = knob.LabelRects()[static_cast<std::size_t>(i)];
        const int yellow = CountPixels(image, label, kYellow);
        if (i == 4) {
            EXPECT_GT(yellow, label.width() * label.height() / 2) << i;
        } else {
            EXPECT_EQ(yellow, 0) << i;
            EXPECT_GT(CountPixels(image, label, kFace), 0) << i;
        }
    }
}

TEST_F(RotarySwitchTest, DisabledLabelsAreDimmed) {
    knob.Enable(false);
    const QImage image = page.Render(knob);
    const QRect label = knob.LabelRects()[1];
    EXPECT_EQ(CountPixels(image, label, qRgb(0, 0, 0)), 0);
    EXPECT_GT(CountPixels(image, label, qRgb(0x80, 0x80, 0x80)), 0);
}

TEST_F(RotarySwitchTest, ClickBetweenTwoLabelsSelectsTheNearestAnchor) {
    // Between HOLD (90) and Timer (45), nearer to Timer.
    Click(AtAngle(AnchorRadius(), 60));
    EXPECT_EQ(knob.Selected(), 4);
    EXPECT_EQ(page.TakeMessages(), std::vector<int>{kMessage});
    Click(AtAngle(AnchorRadius(), 75));
    EXPECT_EQ(knob.Selected(), 3);
    EXPECT_EQ(page.TakeMessages(), std::vector<int>{kMessage});
}

TEST_F(RotarySwitchTest, ClickNotifiesAlsoWithoutAChange) {
    knob.SetPosition(2);
    EXPECT_TRUE(page.TakeMessages().empty());  // setting a position does not notify
    Click(AtAngle(AnchorRadius(), 140));
    EXPECT_EQ(knob.Selected(), 2);
    EXPECT_EQ(page.TakeMessages(), std::vector<int>{kMessage});
}

TEST_F(RotarySwitchTest, ClickOnALabelSelectsIt) {
    Click(knob.LabelRects()[6].center());
    EXPECT_EQ(knob.Selected(), 6);
}

TEST_F(RotarySwitchTest, ReleaseAfterAPressOutsideDoesNothing) {
    knob.MouseDown(QPoint(5, 5));
    knob.MouseUp(AtAngle(AnchorRadius(), 45));
    EXPECT_EQ(knob.Selected(), 0);
    EXPECT_TRUE(page.TakeMessages().empty());
}

TEST_F(RotarySwitchTest, DragStepsOnePositionPerStepAndPutsTheCursorOnTheAnchor) {
    knob.SetPosition(3);  // HOLD, straight up
    page.Render(knob);
    knob.MouseDown(knob.GrabSquare().center());
    ASSERT_TRUE(knob.Dragging());
    const double radius = AnchorRadius();
    knob.MouseMove(AtAngle(radius, 90 - 15));  // 0.26 radians: not yet
    EXPECT_EQ(knob.Selected(), 3);
    knob.MouseMove(AtAngle(radius, 90 - 20));  // 0.35 radians clockwise: on to Timer
    EXPECT_EQ(knob.Selected(), 4);
    ASSERT_EQ(cursor.size(), 1u);
    EXPECT_EQ(cursor.back(), knob.Anchors()[4]);
    // However far the mouse jumps, one move is one position.
    knob.MouseMove(AtAngle(radius, 200));
    EXPECT_EQ(knob.Selected(), 3);
    EXPECT_EQ(cursor.back(), knob.Anchors()[3]);
    EXPECT_TRUE(page.TakeMessages().empty());  // nothing is posted during a drag
    knob.MouseUp(cursor.back());
    EXPECT_FALSE(knob.Dragging());
    EXPECT_EQ(knob.Selected(), 3);
    EXPECT_EQ(page.TakeMessages(), std::vector<int>{kMessage});
}

TEST_F(RotarySwitchTest, DragWrapsPastTheLastPosition) {
    knob.SetPosition(6);  // BUS at 315
    page.Render(knob);
    knob.MouseDown(knob.GrabSquare().center());
    knob.MouseMove(AtAngle(AnchorRadius(), 315 - 20));
    EXPECT_EQ(knob.Selected(), 0);
}

TEST_F(RotarySwitchTest, PressOutsideTheGrabSquareDoesNotDrag) {
    knob.MouseDown(AtAngle(AnchorRadius(), 90));
    EXPECT_FALSE(knob.Dragging());
    knob.MouseMove(AtAngle(AnchorRadius(), 0));
    EXPECT_TRUE(cursor.empty());
}

TEST_F(RotarySwitchTest, DisabledKnobIgnoresTheMouse) {
    knob.Enable(false);
    knob.MouseDown(knob.GrabSquare().center());
    EXPECT_FALSE(knob.Dragging());
    Click(AtAngle(AnchorRadius(), 45));
    EXPECT_EQ(knob.Selected(), 0);
    EXPECT_TRUE(page.TakeMessages().empty());
}

TEST_F(RotarySwitchTest, SetPositionOutOfRangeIsIgnored) {
    knob.SetPosition(7);
    knob.SetPosition(-1);
    EXPECT_EQ(knob.Selected(), 0);
}

void PressKey(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

TEST_F(RotarySwitchTest, ArrowKeysOnTheFocusedKnobStepAndNotify) {
    ASSERT_NE(knob.FocusWidget(), nullptr);
    PressKey(knob.FocusWidget(), Qt::Key_Right);
    EXPECT_EQ(knob.Selected(), 1);
    EXPECT_EQ(page.TakeMessages(), std::vector<int>{kMessage});
    PressKey(knob.FocusWidget(), Qt::Key_End);
    EXPECT_EQ(knob.Selected(), 6);
    PressKey(knob.FocusWidget(), Qt::Key_Right);  // at the end: no change, no message
    EXPECT_EQ(knob.Selected(), 6);
    PressKey(knob.FocusWidget(), Qt::Key_Down);
    EXPECT_EQ(knob.Selected(), 5);
    EXPECT_EQ(page.TakeMessages(), (std::vector<int>{kMessage, kMessage}));
    knob.Enable(false);
    PressKey(knob.FocusWidget(), Qt::Key_Up);
    EXPECT_EQ(knob.Selected(), 5);
}

TEST(RotarySwitchWithoutPositions, DrawsOnlyKnobAndPointerAt225) {
    SurfacePage page;
    // A text without any '#' gives no labels and so no positions.
    RotarySwitch knob(strings::kTrigSourceTitle, 0, page, kRectangle, 3.5, 0, kMessage);
    EXPECT_TRUE(knob.Anchors().empty());
    const QImage image = page.Render(knob);
    const rotary::Knob& geometry = knob.KnobGeometry();
    EXPECT_EQ(image.pixel(rotary::PointAt(geometry.centre, 0.9 * geometry.innerRadius,
                                          rotary::ToRadians(225))),
              qRgb(0, 255, 255));
    knob.MouseDown(knob.GrabSquare().center());
    knob.MouseMove(rotary::PointAt(geometry.centre, geometry.ringRadius, 0));
    knob.MouseUp(geometry.centre);
    EXPECT_EQ(knob.Selected(), 0);
}

}  // namespace
