#include "controls/slide_switch.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include "controls/rotary_geometry.h"
#include "controls/surface_drawing.h"
#include "platform/tick_count.h"

namespace {

QColor Colour(ColorRef ref) {
    return ToQColor(ref);
}

}  // namespace

SlideSwitch::SlideSwitch(QWidget& parent, int labelsStringId, int titleStringId, int style,
                         int notifyMessage, const QRect& rectangle, ColorRef faceColor,
                         ColorRef highlightColor, ColorRef shadowColor, ColorRef titleColor)
    : SurfaceSwitch(parent, rectangle, labelsStringId, titleStringId, titleColor, notifyMessage),
      highlightColor_(highlightColor),
      faceColor_(faceColor),
      shadowColor_(shadowColor),
      style_(style) {
    // Laid out now as well as at the first paint, so that the mouse works on a
    // lever that has not been painted yet.
    layout_ = slide::LayoutIn(rectangle_, QFontMetrics(parent.font()).height(), count_);
}

SlideSwitch::~SlideSwitch() = default;

void SlideSwitch::Layout(const QFontMetrics& metrics) {
    layout_ = slide::LayoutIn(rectangle_, metrics.height(), count_);
    layoutDone_ = layout_.tickColumn;
}

int SlideSwitch::SelectedTickY() const {
    if (layout_.ticks.empty()) {
        return layout_.trackTop;
    }
    return layout_.ticks[static_cast<std::size_t>(std::clamp(selected_, 0, count_ - 1))];
}

QRect SlideSwitch::Thumb() const {
    return slide::ThumbAt(layout_, SelectedTickY());
}

void SlideSwitch::Paint(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (layoutDone_ < 0) {
        Layout(painter.fontMetrics());
    }
    painter.fillRect(rectangle_, Colour(faceColor_));
    PaintFrame(painter);
    PaintFocus(painter);  // first, so that labels and title stay readable over it
    PaintTrack(painter);
    PaintTicks(painter);
    PaintThumb(painter);
    PaintLabels(painter);
    PaintTitle(painter);
    painter.restore();
}

void SlideSwitch::PaintFrame(QPainter& painter) const {
    if ((style_ & kSunkenFrame) == 0) {
        return;
    }
    DrawEdge(painter, rectangle_, Colour(shadowColor_), Colour(highlightColor_));
}

// A black slot with a 2-pixel highlight along its right side and below it.
void SlideSwitch::PaintTrack(QPainter& painter) const {
    const QRect& track = layout_.track;
    const int length = layout_.trackBottom - layout_.trackTop;
    painter.fillRect(track, Qt::black);
    const int right = track.left() + track.width();
    painter.fillRect(QRect(right, layout_.trackTop, 2, length + 2), Colour(highlightColor_));
    painter.fillRect(QRect(track.left(), layout_.trackBottom, track.width() + 2, 2),
                     Colour(highlightColor_));
}

void SlideSwitch::PaintTicks(QPainter& painter) const {
    if ((style_ & kDetents) == 0 || count_ < 2) {
        return;
    }
    const int column = layout_.tickColumn;
    painter.fillRect(
        QRect(column - 1, layout_.trackTop, 3, layout_.trackBottom - layout_.trackTop + 1),
        Qt::black);
    for (const int y : layout_.ticks) {
        painter.fillRect(QRect(column, y, slide::kTickLength, 1), Qt::black);
    }
}

void SlideSwitch::PaintThumb(QPainter& painter) const {
    const QRect thumb = Thumb();
    painter.fillRect(thumb.adjusted(-1, -1, 1, 1), Colour(faceColor_));
    const auto outline = slide::ThumbOutline(thumb);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Colour(faceColor_));
    painter.drawPolygon(outline.data(), static_cast<int>(outline.size()));
    const int left = thumb.left();
    const int top = thumb.top();
    const int right = thumb.left() + thumb.width();
    const int bottom = thumb.top() + thumb.height();
    const int centre = left + thumb.width() / 2;
    const int middle = top + thumb.height() / 2;
    const QPoint highlight[] = {
        {right - 2, middle}, {centre + 2, top + 2}, {left + 2, top + 2}, {left + 2, bottom - 1}};
    painter.setPen(QPen(Colour(highlightColor_), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPolyline(highlight, 4);
    const QPoint shadow[] = {{left + 2, bottom - 1}, {centre + 2, bottom - 1}, {right - 2, middle}};
    painter.setPen(QPen(Colour(shadowColor_), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPolyline(shadow, 3);
}

void SlideSwitch::PaintLabels(QPainter& painter) const {
    const QFontMetrics metrics = painter.fontMetrics();
    const int left = layout_.tickColumn + slide::kTickLength + metrics.averageCharWidth();
    const int right = rectangle_.left() + rectangle_.width() - 2;
    for (int i = 0; i < count_ && i < static_cast<int>(layout_.ticks.size()); ++i) {
        const QSize extent = TextExtent(painter, labels_[i]);
        const int top = layout_.ticks[static_cast<std::size_t>(i)] - extent.height() / 2;
        const QRect label(left, top, std::max(0, std::min(extent.width(), right - left)),
                          extent.height());
        DrawOpaqueText(painter, label, labels_[i], Colour(labelColor_), Colour(faceColor_),
                       enabled_);
    }
}

void SlideSwitch::PaintTitle(QPainter& painter) const {
    if (title_.isEmpty()) {
        return;
    }
    const QSize extent = TextExtent(painter, title_);
    const int left = rectangle_.left() + std::max(0, (rectangle_.width() - extent.width()) / 2);
    const QRect title = QRect(QPoint(left, rectangle_.top() + 4), extent) & rectangle_;
    DrawOpaqueText(painter, title, title_, Colour(titleColor_), Colour(faceColor_), enabled_);
}

void SlideSwitch::PaintFocus(QPainter& painter) const {
    if (!HasFocus()) {
        return;
    }
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rectangle_.adjusted(3, 3, -4, -4));
}

void SlideSwitch::MouseDown(const QPoint& point) {
    if (!enabled_) {
        return;
    }
    if (!rectangle_.contains(point)) {
        pressedInside_ = false;
        return;
    }
    pressedInside_ = true;
    TakeFocus();
    if (!pressPending_ && Thumb().contains(point)) {
        pressTick_ = platform::TickCount();
        pressPoint_ = point;
        pressPending_ = true;
    }
}

void SlideSwitch::MouseMove(const QPoint& point) {
    if (!enabled_ || !rectangle_.contains(point)) {
        return;
    }
    if (pressPending_ && !dragging_) {
        const bool waited = platform::TicksSince(pressTick_) > slide::kDragDelayMs;
        const bool moved = std::abs(point.x() - pressPoint_.x()) > slide::kDragSlop ||
                           std::abs(point.y() - pressPoint_.y()) > slide::kDragSlop;
        if (waited && moved) {
            // The mouse stays with the page while the button is down, so the
            // drag needs no explicit capture.
            dragging_ = true;
            snapY_ = SelectedTickY();
        }
    }
    if (!dragging_) {
        return;
    }
    const int y = std::clamp(point.y(), layout_.trackTop, layout_.trackBottom);
    const slide::Snap snap = slide::SnapDrag(layout_.ticks, selected_, snapY_, y);
    if (!snap.moved) {
        return;
    }
    selected_ = snap.selected;
    snappedDuringDrag_ = true;
    Invalidate();
    snapY_ = SelectedTickY();
    moveCursor_(QPoint(point.x(), snapY_));
}

void SlideSwitch::MouseUp(const QPoint& point) {
    if (!enabled_ || !pressedInside_) {
        return;
    }
    pressPending_ = false;
    Notify();
    if (dragging_) {
        dragging_ = false;
    } else if (!rectangle_.contains(point)) {
        return;
    }
    if (snappedDuringDrag_) {
        snappedDuringDrag_ = false;
    } else {
        const int nearest = slide::NearestTick(layout_.ticks, point.y());
        if (nearest >= 0) {
            selected_ = nearest;
        }
    }
    Invalidate();
}

// A lever moves down with Down and Right.
std::pair<int, int> SlideSwitch::ForwardKeys() const {
    return {Qt::Key_Down, Qt::Key_Right};
}

void SlideSwitch::Select(int index) {
    selected_ = index;
    if (parent_ != nullptr) {
        parent_->repaint(rectangle_);
    }
}

void SlideSwitch::CancelPress() {
    pressPending_ = false;
    snappedDuringDrag_ = false;
}
