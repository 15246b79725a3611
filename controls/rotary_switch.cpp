#include "controls/rotary_switch.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "controls/panel_color.h"
#include "controls/surface_drawing.h"

namespace {

constexpr int kFlashMs = 150;
constexpr ColorRef kSelectedLabelBackground = 0x00FFFF;  // yellow
constexpr double kKinkDegrees = 3.6;

QColor Colour(ColorRef ref) {
    return ToQColor(ref);
}

// Qt's ellipse outline includes the right and bottom edges of its rectangle;
// the platform's stays inside.
QRect OutlineRect(const QRect& square) {
    return square.adjusted(0, 0, -1, -1);
}

}  // namespace

RotarySwitch::RotarySwitch(int labelsStringId, int titleStringId, QWidget& parent,
                           const QRect& rectangle, double marginDivisor, ColorRef titleColor,
                           int notifyMessage)
    : SurfaceSwitch(parent, rectangle, labelsStringId, titleStringId, titleColor, notifyMessage),
      pointerAngle_(rotary::ToRadians(rotary::kStartDegrees)),
      degrees_(rotary::PositionDegrees(count_)),
      marginDivisor_(marginDivisor) {
    flashTimer_.setSingleShot(true);
    QObject::connect(&flashTimer_, &QTimer::timeout, [this] {
        flash_ = false;
        Invalidate();
    });
    Layout(QFontMetrics(parent.font()));
}

RotarySwitch::~RotarySwitch() = default;

void RotarySwitch::Layout(const QFontMetrics& metrics) {
    knob_ = rotary::KnobIn(rectangle_, marginDivisor_);
    anchors_.clear();
    labelRects_.clear();
    const int clipRight = rectangle_.left() + rectangle_.width();
    for (std::size_t i = 0; i < degrees_.size(); ++i) {
        anchors_.push_back(rotary::AnchorAt(knob_, degrees_[i]));
        const QString& label = labels_[static_cast<int>(i)];
        const QSize textSize(metrics.horizontalAdvance(label), metrics.height());
        labelRects_.push_back(rotary::LabelRect(degrees_[i], rotary::TickEndAt(knob_, degrees_[i]),
                                                textSize, knob_.ringRadius, clipRight));
    }
    grabSquare_ = rotary::GrabSquare(knob_, PointerRadians());
}

double RotarySwitch::PointerRadians() const {
    if (degrees_.empty()) {
        return rotary::ToRadians(rotary::kStartDegrees);
    }
    return rotary::ToRadians(degrees_[static_cast<std::size_t>(selected_)]);
}

void RotarySwitch::Paint(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    Layout(painter.fontMetrics());
    PaintFace(painter);
    PaintFocus(painter);  // first, so that labels and title stay readable over it
    PaintKnob(painter);
    pointerAngle_ = PointerRadians();
    PaintPointer(painter, flash_ ? Qt::white : Colour(pointerColor_));
    grabSquare_ = rotary::GrabSquare(knob_, pointerAngle_);
    PaintPositions(painter);
    PaintTitle(painter);
    painter.restore();
}

// Face outlined in black, then a 2-pixel sunken edge inside the outline.
void RotarySwitch::PaintFace(QPainter& painter) const {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Colour(faceColor_));
    painter.drawRect(OutlineRect(rectangle_));
    DrawEdge(painter, rectangle_.adjusted(1, 1, -1, -1),
             Colour(PanelColor(panel_colors::kButtonShadow)),
             Colour(PanelColor(panel_colors::kButtonHighlight)));
}

// The ring is shaded with the platform's surface flood fill, which needs the
// pixels: the knob is drawn into an image of its area and copied over.
void RotarySwitch::PaintKnob(QPainter& painter) const {
    const int reach = static_cast<int>(std::ceil(knob_.ringRadius)) + 2;
    QRect area(knob_.centre - QPoint(reach, reach), QSize(2 * reach + 1, 2 * reach + 1));
    area &= rectangle_.adjusted(3, 3, -3, -3);
    if (area.isEmpty() || knob_.square.isEmpty()) {
        return;
    }
    painter.drawImage(area.topLeft(), KnobImage(area));
}

QImage RotarySwitch::KnobImage(const QRect& area) const {
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Colour(faceColor_));
    {
        QPainter knob(&image);
        knob.translate(-area.topLeft());
        knob.setPen(QPen(Colour(PanelColor(panel_colors::kButtonHighlight)), 2));
        knob.setBrush(Colour(ringLightColor_));
        knob.drawEllipse(OutlineRect(knob_.square));
        const QColor grey = Colour(PanelColor(panel_colors::kGrey));
        knob.setPen(QPen(grey, 1));
        knob.setBrush(Colour(discColor_));
        knob.drawEllipse(OutlineRect(knob_.innerSquare));
        // Two kinked cuts across the ring at 45 and 225 degrees split it in
        // halves; they start a pixel inside the disc so that no gap is left.
        const double middle = (knob_.innerRadius + knob_.ringRadius) / 2;
        for (const double base : {45.0, 225.0}) {
            const double kink = base == 45.0 ? base + kKinkDegrees : base - kKinkDegrees;
            const QPoint cut[] = {
                rotary::PointAt(knob_.centre, knob_.innerRadius - 1, rotary::ToRadians(base)),
                rotary::PointAt(knob_.centre, middle, rotary::ToRadians(kink)),
                rotary::PointAt(knob_.centre, knob_.ringRadius, rotary::ToRadians(base)),
            };
            knob.drawPolyline(cut, 3);
        }
    }
    // Seed just below the disc; step outwards past the disc's outline if the
    // rounding of small knobs put the seed on it.
    const QRgb light = Colour(ringLightColor_).rgb();
    QPoint seed =
        knob_.centre + QPoint(0, static_cast<int>(knob_.innerRadius) + 1) - area.topLeft();
    const int limit = static_cast<int>(knob_.ringRadius) - static_cast<int>(knob_.innerRadius);
    for (int step = 0; step < limit && image.rect().contains(seed) && image.pixel(seed) != light;
         ++step) {
        seed.ry() += 1;
    }
    if (image.rect().contains(seed) && image.pixel(seed) == light) {
        FloodFillSurface(image, seed, Colour(ringDarkColor_));
    }
    return image;
}

void RotarySwitch::PaintPointer(QPainter& painter, const QColor& colour) const {
    painter.setPen(QPen(colour, 3, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(rotary::PointAt(knob_.centre, knob_.innerRadius, pointerAngle_),
                     rotary::PointAt(knob_.centre, 0.8 * knob_.innerRadius, pointerAngle_));
}

void RotarySwitch::PaintPositions(QPainter& painter) {
    painter.setPen(QPen(Qt::white, 1));
    for (std::size_t i = 0; i < anchors_.size(); ++i) {
        painter.drawLine(anchors_[i], rotary::TickEndAt(knob_, degrees_[i]));
    }
    for (std::size_t i = 0; i < labelRects_.size(); ++i) {
        const bool selected = static_cast<int>(i) == selected_;
        const ColorRef background = selected ? kSelectedLabelBackground : faceColor_;
        DrawOpaqueText(painter, labelRects_[i], labels_[static_cast<int>(i)],
                       Colour(labelTextColor_), Colour(background), enabled_);
    }
    highlighted_ = selected_;
}

void RotarySwitch::PaintTitle(QPainter& painter) const {
    if (title_.isEmpty()) {
        return;
    }
    const QSize extent = TextExtent(painter, title_);
    const int left = rectangle_.left() + std::max(0, (rectangle_.width() - extent.width()) / 2);
    const QRect title = QRect(QPoint(left, rectangle_.top() + 3), extent) & rectangle_;
    DrawOpaqueText(painter, title, title_, Colour(titleColor_), Colour(faceColor_), enabled_);
}

void RotarySwitch::PaintFocus(QPainter& painter) const {
    if (!HasFocus()) {
        return;
    }
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(OutlineRect(rectangle_.adjusted(4, 4, -4, -4)));
}

void RotarySwitch::MouseDown(const QPoint& point) {
    if (!enabled_) {
        return;
    }
    pressedInside_ = rectangle_.contains(point);
    pressPoint_ = point;
    if (pressedInside_) {
        TakeFocus();
    }
    if (!grabSquare_.contains(point)) {
        return;
    }
    // The mouse stays with the page while the button is down, so the drag
    // needs no explicit capture.
    flash_ = true;
    flashTimer_.start(kFlashMs);
    dragging_ = true;
    Invalidate();
}

void RotarySwitch::MouseMove(const QPoint& point) {
    if (!enabled_ || !dragging_ || !rectangle_.contains(point) || degrees_.empty()) {
        return;
    }
    const double selectedAngle = rotary::ToRadians(degrees_[static_cast<std::size_t>(selected_)]);
    const int step = rotary::DragStep(selectedAngle, rotary::MouseAngle(knob_.centre, point));
    if (step == 0) {
        return;
    }
    selected_ = rotary::Wrap(selected_, step, count_);
    pointerAngle_ = PointerRadians();
    grabSquare_ = rotary::GrabSquare(knob_, pointerAngle_);
    Invalidate();
    moveCursor_(anchors_[static_cast<std::size_t>(selected_)]);
}

void RotarySwitch::MouseUp(const QPoint& point) {
    if (!enabled_ || !pressedInside_) {
        return;
    }
    dragging_ = false;
    const int position = rotary::PositionAt(labelRects_, anchors_, point);
    if (position >= 0) {
        selected_ = position;
    }
    pointerAngle_ = PointerRadians();
    grabSquare_ = rotary::GrabSquare(knob_, pointerAngle_);
    Notify();
    Invalidate();
}

// A knob turns clockwise with Right and Up.
std::pair<int, int> RotarySwitch::ForwardKeys() const {
    return {Qt::Key_Right, Qt::Key_Up};
}

void RotarySwitch::Select(int index) {
    selected_ = index;
    pointerAngle_ = PointerRadians();
    grabSquare_ = rotary::GrabSquare(knob_, pointerAngle_);
    Invalidate();
}

// Labels may reach out of the rectangle on the left, so they are repainted too.
void RotarySwitch::Invalidate() {
    if (parent_ == nullptr) {
        return;
    }
    QRect dirty = rectangle_;
    for (const QRect& label : labelRects_) {
        dirty |= label;
    }
    parent_->update(dirty);
}
