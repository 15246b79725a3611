#include "controls/rotary_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace rotary {

double ToRadians(double degrees) {
    return degrees * kPi / 180.0;
}

QStringList SplitLabels(const QString& list) {
    QStringList labels;
    int start = 0;
    for (int at = list.indexOf(QLatin1Char('#')); at >= 0;
         at = list.indexOf(QLatin1Char('#'), start)) {
        labels.append(list.mid(start, at - start));
        start = at + 1;
    }
    return labels;
}

std::vector<double> PositionDegrees(int count) {
    switch (count) {
        case 3:
            return {225, 90, 315};
        case 4:
            return {225, 135, 45, 315};
        case 5:
            return {225, 162, 90, 18, 315};
        case 6:
            return {225, 180, 135, 45, 0, 315};
        case 7:
            return {225, 180, 135, 90, 45, 0, 315};
        case 8:
            return {247.5, 202.5, 157.5, 112.5, 67.5, 22.5, 337.5, 292.5};
        default:
            return {};
    }
}

QPoint PointAt(const QPoint& centre, double radius, double radians) {
    return QPoint(centre.x() + static_cast<int>(std::lround(radius * std::cos(radians))),
                  centre.y() - static_cast<int>(std::lround(radius * std::sin(radians))));
}

double MouseAngle(const QPoint& centre, const QPoint& point) {
    const double angle = std::atan2(static_cast<double>(centre.y() - point.y()),
                                    static_cast<double>(point.x() - centre.x()));
    return angle < 0 ? angle + kTwoPi : angle;
}

int DragStep(double selectedRadians, double mouseRadians) {
    const double g = selectedRadians;
    const double f = mouseRadians;
    if (std::fabs(g - f) < kDragStep) {
        return 0;
    }
    // Just across 0 from the selected angle counts as counter-clockwise.
    const bool notAcrossZero = g > kDragStep || f < kTwoPi - kDragStep;
    const bool counterClockwise = (g >= kTwoPi - kDragStep && f <= kDragStep) || f >= g;
    return notAcrossZero && counterClockwise ? -1 : 1;
}

int Wrap(int index, int step, int count) {
    if (count <= 0) {
        return index;
    }
    const int next = index + step;
    if (next >= count) {
        return 0;
    }
    if (next < 0) {
        return count - 1;
    }
    return next;
}

Knob KnobIn(const QRect& rectangle, double marginDivisor) {
    const int insetX = static_cast<int>(rectangle.width() / marginDivisor);
    const int insetY = static_cast<int>(rectangle.height() / marginDivisor);
    const QRect area = rectangle.adjusted(insetX, insetY, -insetX, -insetY);
    const int side = std::max(0, std::min(area.width(), area.height()));
    Knob knob;
    knob.square = QRect(area.left() + (area.width() - side) / 2,
                        area.top() + (area.height() - side) / 2, side, side);
    const int shrink = static_cast<int>(side * 0.05);
    knob.innerSquare = knob.square.adjusted(shrink, shrink, -shrink, -shrink);
    knob.centre = QPoint(knob.square.left() + side / 2, knob.square.top() + side / 2);
    knob.innerRadius = std::min(knob.innerSquare.width(), knob.innerSquare.height()) / 2.0;
    knob.ringRadius = side / 2.0 + 2;
    return knob;
}

QPoint AnchorAt(const Knob& knob, double degrees) {
    return PointAt(knob.centre, 1.03 * knob.ringRadius, ToRadians(degrees));
}

QPoint TickEndAt(const Knob& knob, double degrees) {
    return PointAt(knob.centre, 1.2 * knob.ringRadius, ToRadians(degrees));
}

QRect LabelRect(double degrees, const QPoint& tickEnd, const QSize& textSize, double ringRadius,
                int clipRight) {
    const int top = tickEnd.y() - textSize.height() / 2;
    if (degrees > 90 && degrees < 270) {
        const int right = tickEnd.x() - static_cast<int>(0.2 * ringRadius);
        const int left = std::max(0, right - textSize.width());
        return QRect(left, top, right - left, textSize.height());
    }
    const double gap = degrees == 90 ? 0.1 : 0.2;
    const int left = tickEnd.x() + static_cast<int>(gap * ringRadius);
    const int right = std::min(left + textSize.width(), clipRight);
    return QRect(left, top, std::max(0, right - left), textSize.height());
}

QRect GrabSquare(const Knob& knob, double pointerRadians) {
    const QPoint tip = PointAt(knob.centre, knob.innerRadius, pointerRadians);
    const int side = std::max(1, static_cast<int>(0.2 * knob.innerRadius));
    const int left = knob.centre.x() >= tip.x() ? tip.x() : tip.x() - side + 1;
    const int top = knob.centre.y() >= tip.y() ? tip.y() : tip.y() - side + 1;
    return QRect(left, top, side, side);
}

int PositionAt(const std::vector<QRect>& labelRects, const std::vector<QPoint>& anchors,
               const QPoint& point) {
    for (std::size_t i = 0; i < labelRects.size(); ++i) {
        if (labelRects[i].contains(point)) {
            return static_cast<int>(i);
        }
    }
    int nearest = -1;
    double best = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < anchors.size(); ++i) {
        const double dx = anchors[i].x() - point.x();
        const double dy = anchors[i].y() - point.y();
        const double distance = dx * dx + dy * dy;
        if (distance < best) {
            best = distance;
            nearest = static_cast<int>(i);
        }
    }
    return nearest;
}

}  // namespace rotary
