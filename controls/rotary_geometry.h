#pragma once
// The geometry of the rotary knob as plain functions: position angles, the
// knob's circles, points on them, label placement, the grab square, the drag
// step and the nearest position. RotarySwitch paints and hit-tests from these.
//
// Angles are counter-clockwise from the positive x axis with y pointing up;
// the surface's y points down, so a point at angle a lies at
// (cx + r cos a, cy - r sin a).

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

namespace rotary {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;
constexpr double kStartDegrees = 225;  // the pointer of a knob without positions
constexpr double kDragStep = 0.3;      // radians of mouse travel per position

double ToRadians(double degrees);

// Labels of a '#'-terminated list: "A#B#" gives A and B; text after the last
// '#' is not a label.
QStringList SplitLabels(const QString& list);

// Angles of the positions, in degrees, for 3 to 8 positions; empty for any
// other count (such a knob has no positions, ticks or labels).
std::vector<double> PositionDegrees(int count);

// The point at `radius` and `radians` around `centre`, rounded to pixels.
QPoint PointAt(const QPoint& centre, double radius, double radians);

// The angle from `centre` to `point` in [0, 2 pi): right 0, up pi/2, left pi,
// down 3 pi/2.
double MouseAngle(const QPoint& centre, const QPoint& point);

// One drag step: -1 (back to the previous position, counter-clockwise), +1
// (on to the next) or 0 while the mouse is less than 0.3 radians from the
// selected position's angle.
int DragStep(double selectedRadians, double mouseRadians);

// `index` + `step`, wrapping past either end.
int Wrap(int index, int step, int count);

// The knob inside its rectangle: the rectangle is inset by width / divisor
// and height / divisor, and the knob is the largest centred square left.
struct Knob {
    QRect square;       // the outer circle's square
    QRect innerSquare;  // the square shrunk by 5% of its side on every side
    QPoint centre;
    double innerRadius = 0;  // half the smaller side of the inner square
    double ringRadius = 0;   // half the square's side + 2
};
Knob KnobIn(const QRect& rectangle, double marginDivisor);

// The tick of a position runs from its anchor at 1.03 x ring radius out to
// 1.2 x ring radius.
QPoint AnchorAt(const Knob& knob, double degrees);
QPoint TickEndAt(const Knob& knob, double degrees);

// Where a label of `textSize` goes beside its tick end: on the left for
// angles between 90 and 270 degrees (never left of page coordinate 0), on the
// right otherwise and clipped at `clipRight` (exclusive), a little right of
// the tick at exactly 90 degrees; vertically centred on the tick end.
QRect LabelRect(double degrees, const QPoint& tickEnd, const QSize& textSize, double ringRadius,
                int clipRight);

// The small square at the pointer's outer end (on the inner radius) that a
// press must hit to start a drag: side 0.2 x inner radius, reaching from
// that end towards the centre, so that it covers the tip of the pointer.
QRect GrabSquare(const Knob& knob, double pointerRadians);

// The position whose label rectangle holds `point`; failing that, the one
// whose anchor is nearest (the first of equals). -1 when there are none.
int PositionAt(const std::vector<QRect>& labelRects, const std::vector<QPoint>& anchors,
               const QPoint& point);

}  // namespace rotary
