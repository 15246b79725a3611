#include "controls/framed_label.h"

#include <QFontMetrics>
#include <QPainter>
#include <utility>

#include "controls/template_control.h"

namespace {

constexpr int kEdgeWidth = 2;

// A 2-pixel pen drawn along a line at coordinate c covers c - 1 and c, as a
// wide pen does on the platform.
void DrawFirstEdge(QPainter& painter, const QRect& frame, const QColor& colour) {
    painter.fillRect(QRect(frame.left() - 1, frame.top() - 1, kEdgeWidth, frame.height() + 1),
                     colour);
    painter.fillRect(QRect(frame.left() - 1, frame.top() - 1, frame.width() + 1, kEdgeWidth),
                     colour);
}

void DrawSecondEdge(QPainter& painter, const QRect& frame, const QColor& colour) {
    const int right = frame.left() + frame.width();
    const int bottom = frame.top() + frame.height();
    painter.fillRect(QRect(right - 1, frame.top() - 1, kEdgeWidth, frame.height() + 1), colour);
    painter.fillRect(QRect(frame.left() - 1, bottom - 1, frame.width() + 1, kEdgeWidth), colour);
}

}  // namespace

QPoint FramedTextOrigin(const QRect& area, const QSize& textSize) {
    const int x =
        textSize.width() <= area.width() ? area.left() + (area.width() - textSize.width()) / 2 : 0;
    const int y = textSize.height() <= area.height()
                      ? area.top() + (area.height() - textSize.height()) / 2
                      : 0;
    return QPoint(x, y);
}

FramedLabel::FramedLabel(ColorRef background, ColorRef textColor, ColorRef firstEdge,
                         ColorRef secondEdge, bool bevelled, std::optional<QFont> font,
                         QWidget* fontOwner)
    : background_(background),
      textColor_(textColor),
      firstEdge_(firstEdge),
      secondEdge_(secondEdge),
      bevelled_(bevelled),
      font_(std::move(font)),
      fontOwner_(fontOwner) {}

bool FramedLabel::Attach(QWidget& page, int id) {
    return TakeTemplatePlace(*this, page, id);
}

void FramedLabel::SetText(const QString& text) {
    if (textWasSet_ && text == text_) {
        return;  // what is drawn already says it
    }
    text_ = text;
    textWasSet_ = true;
    repaint();
}

void FramedLabel::SwapEdgeColors() {
    std::swap(firstEdge_, secondEdge_);
    update();
}

QFont FramedLabel::DrawingFont() const {
    if (fontOwner_ != nullptr) {
        return fontOwner_->font();
    }
    return font_.value_or(font());
}

void FramedLabel::Paint(QPainter& painter, const QSize& size) const {
    painter.save();
    painter.setFont(DrawingFont());
    // The frame is the client area shrunk by 2; the text is clipped to it.
    const QRect frame = QRect(QPoint(0, 0), size).adjusted(2, 2, -2, -2);
    if (bevelled_) {
        DrawFirstEdge(painter, frame, ToQColor(firstEdge_));
        DrawSecondEdge(painter, frame, ToQColor(secondEdge_));
        painter.fillRect(frame.adjusted(1, 1, -1, -1), ToQColor(background_));
    } else if (textWasSet_) {
        painter.fillRect(frame.adjusted(2, 2, -2, -2), ToQColor(background_));
    }
    if (!text_.isEmpty() && !frame.isEmpty()) {
        const QFontMetrics metrics = painter.fontMetrics();
        const QSize textSize(metrics.horizontalAdvance(text_), metrics.height());
        const QPoint origin = FramedTextOrigin(frame, textSize);
        painter.setClipRect(frame);
        painter.setPen(ToQColor(textColor_));
        painter.drawText(QPoint(origin.x(), origin.y() + metrics.ascent()), text_);
    }
    painter.restore();
}

void FramedLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    Paint(painter, size());
}
