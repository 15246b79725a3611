#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "controls/rotary_geometry.h"

namespace {

using rotary::kPi;

struct AngleRow {
    int count;
    std::vector<double> degrees;
};

class PositionAngles : public ::testing::TestWithParam<AngleRow> {};

TEST_P(PositionAngles, FollowTheTable) {
    EXPECT_EQ(rotary::PositionDegrees(GetParam().count), GetParam().degrees);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, PositionAngles,
    ::testing::Values(AngleRow{3, {225, 90, 315}}, AngleRow{4, {225, 135, 45, 315}},
                      AngleRow{5, {225, 162, 90, 18, 315}},
                      AngleRow{6, {225, 180, 135, 45, 0, 315}},
                      AngleRow{7, {225, 180, 135, 90, 45, 0, 315}},
                      AngleRow{8, {247.5, 202.5, 157.5, 112.5, 67.5, 22.5, 337.5, 292.5}},
                      // Other counts have no positions at all.
                      AngleRow{0, {}}, AngleRow{1, {}}, AngleRow{2, {}}, AngleRow{9, {}}));

TEST(SplitLabels, EveryLabelEndsWithAHash) {
    EXPECT_EQ(rotary::SplitLabels("TTLT#SCP#IMM#"), (QStringList{"TTLT", "SCP", "IMM"}));
    // Without a final '#' the last part is lost.
    EXPECT_EQ(rotary::SplitLabels("A#B#C"), (QStringList{"A", "B"}));
    EXPECT_EQ(rotary::SplitLabels("no hash"), QStringList{});
    EXPECT_EQ(rotary::SplitLabels("#"), QStringList{""});
}

struct MouseRow {
    QPoint point;
    double radians;
};

class MouseAngles : public ::testing::TestWithParam<MouseRow> {};

TEST_P(MouseAngles, CountCounterClockwiseWithYUp) {
    EXPECT_NEAR(rotary::MouseAngle(QPoint(50, 50), GetParam().point), GetParam().radians, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Directions, MouseAngles,
                         ::testing::Values(MouseRow{{60, 50}, 0}, MouseRow{{50, 40}, kPi / 2},
                                           MouseRow{{40, 50}, kPi}, MouseRow{{50, 60}, 1.5 * kPi},
                                           MouseRow{{60, 40}, kPi / 4},
                                           MouseRow{{60, 60}, 1.75 * kPi}));

struct StepRow {
    double selected;  // radians
    double mouse;
    int step;
};

class DragSteps : public ::testing::TestWithParam<StepRow> {};

TEST_P(DragSteps, MoveOnePositionTowardsTheMouse) {
    EXPECT_EQ(rotary::DragStep(GetParam().selected, GetParam().mouse), GetParam().step);
}

const double k90 = kPi / 2;
INSTANTIATE_TEST_SUITE_P(
    Rows, DragSteps,
    ::testing::Values(StepRow{k90, k90 + 0.29, 0},       // less than 0.3 radians away: stays
                      StepRow{k90, k90 - 0.29, 0},       //
                      StepRow{k90, k90 + 0.31, -1},      // counter-clockwise: back one
                      StepRow{k90, k90 - 0.31, 1},       // clockwise: on one
                      StepRow{k90, k90 + 3.0, -1},       // far away still one step
                      StepRow{0.0, 0.35, -1},            // from 0 counter-clockwise
                      StepRow{2 * kPi - 0.1, 0.25, -1},  // counter-clockwise across 0
                      StepRow{5.5, 5.1, 1}));

TEST(Wrap, PastEitherEndGoesRound) {
    EXPECT_EQ(rotary::Wrap(6, 1, 7), 0);
    EXPECT_EQ(rotary::Wrap(0, -1, 7), 6);
    EXPECT_EQ(rotary::Wrap(3, 1, 7), 4);
}

TEST(KnobIn, InsetsByTheDivisorAndCentresASquare) {
    const rotary::Knob knob = rotary::KnobIn(QRect(0, 0, 175, 140), 3.5);
    // Inset 50 by 40 leaves 75 x 60: a 60-pixel square centred horizontally.
    EXPECT_EQ(knob.square, QRect(57, 40, 60, 60));
    EXPECT_EQ(knob.centre, QPoint(87, 70));
    EXPECT_EQ(knob.innerSquare, QRect(60, 43, 54, 54));
    EXPECT_DOUBLE_EQ(knob.innerRadius, 27);
    EXPECT_DOUBLE_EQ(knob.ringRadius, 32);
}

TEST(LabelRect, SitsBesideTheTickEndBySide) {
    const QSize text(30, 12);
    // Left half: ends 0.2 x ring radius (10) left of the tick end.
    EXPECT_EQ(rotary::LabelRect(180, QPoint(100, 50), text, 50, 400), QRect(60, 44, 30, 12));
    // ... but never starts left of page coordinate 0.
    EXPECT_EQ(rotary::LabelRect(225, QPoint(20, 50), text, 50, 400).left(), 0);
    // Right half: starts 0.2 x ring radius right of it and is clipped at the right edge.
    EXPECT_EQ(rotary::LabelRect(0, QPoint(100, 50), text, 50, 400), QRect(110, 44, 30, 12));
    EXPECT_EQ(rotary::LabelRect(315, QPoint(100, 50), text, 50, 120), QRect(110, 44, 10, 12));
    // Straight up: 0.1 x ring radius right of the tick.
    EXPECT_EQ(rotary::LabelRect(90, QPoint(100, 50), text, 50, 400).left(), 105);
}

TEST(PositionAt, LabelRectangleFirstThenNearestAnchor) {
    const std::vector<QRect> labels = {QRect(0, 0, 20, 10), QRect(100, 0, 20, 10)};
    const std::vector<QPoint> anchors = {QPoint(30, 30), QPoint(90, 30)};
    EXPECT_EQ(rotary::PositionAt(labels, anchors, QPoint(105, 5)), 1);
    EXPECT_EQ(rotary::PositionAt(labels, anchors, QPoint(50, 40)), 0);
    EXPECT_EQ(rotary::PositionAt(labels, anchors, QPoint(70, 40)), 1);
    // Equally near: the first wins.
    EXPECT_EQ(rotary::PositionAt(labels, anchors, QPoint(60, 30)), 0);
    EXPECT_EQ(rotary::PositionAt({}, {}, QPoint(60, 30)), -1);
}

TEST(GrabSquare, CoversThePointerTip) {
    const rotary::Knob knob = rotary::KnobIn(QRect(0, 0, 175, 140), 3.5);
    const double angle = rotary::ToRadians(225);
    const QRect grab = rotary::GrabSquare(knob, angle);
    const QPoint tip = rotary::PointAt(knob.centre, knob.innerRadius, angle);
    const QPoint inward = rotary::PointAt(knob.centre, 0.9 * knob.innerRadius, angle);
    EXPECT_TRUE(grab.contains(tip));
    EXPECT_TRUE(grab.contains(inward));
    EXPECT_LE(grab.width(), static_cast<int>(0.2 * knob.innerRadius) + 1);
}

}  // namespace
