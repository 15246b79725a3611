#include "controls/lamp.h"

#include <QPainter>
#include <QPolygon>
#include <QRegion>
#include <algorithm>

#include "controls/panel_color.h"
#include "controls/template_control.h"

namespace {

// Qt's ellipse and arc outlines include the right and bottom edges of their
// rectangle; the platform's stay inside.
QRect OutlineRect(const QRect& square) {
    return square.adjusted(0, 0, -1, -1);
}

}  // namespace

QRect CentredSquare(const QRect& rect) {
    const int side = std::min(rect.width(), rect.height());
    return QRect(rect.left() + (rect.width() - side) / 2, rect.top() + (rect.height() - side) / 2,
                 side, side);
}

Lamp::Lamp(ColorRef lampColor, ColorRef background)
    : lampColor_(lampColor), background_(background) {}

bool Lamp::Attach(QWidget& page, int id) {
    return TakeTemplatePlace(*this, page, id);
}

void Lamp::DrawItem(QPainter& painter, const QRect& item) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(item, ToQColor(background_));
    const QRect square = CentredSquare(item);
    const QColor face = ToQColor(PanelColor(panel_colors::kButtonFace));
    painter.setPen(QPen(ToQColor(PanelColor(panel_colors::kButtonHighlight)), 1));
    painter.setBrush(face);
    painter.drawEllipse(OutlineRect(square));
    // Counter-clockwise from 225 degrees round to 45: the lower-right half of
    // the same outline, cut off along the square's rising diagonal so that the
    // shadow lies exactly on the highlight's pixels.
    painter.save();
    const int side = square.width();
    const QPoint topRight = square.topLeft() + QPoint(side + 2, -2);
    const QPoint bottomLeft = square.topLeft() + QPoint(-2, side + 2);
    QPolygon lowerRight;
    lowerRight << topRight << square.topLeft() + QPoint(side + 2, side + 2) << bottomLeft;
    painter.setClipRegion(QRegion(lowerRight));
    painter.setPen(QPen(ToQColor(PanelColor(panel_colors::kButtonShadow)), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(OutlineRect(square));
    painter.restore();
    const int inset = square.width() / 5;
    const QRect disc = square.adjusted(inset, inset, -inset, -inset);
    painter.setPen(QPen(face, 1));
    painter.setBrush(ToQColor(lampColor_));
    painter.drawEllipse(OutlineRect(disc));
    painter.restore();
}

void Lamp::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    DrawItem(painter, rect());
}
