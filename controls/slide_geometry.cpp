#include "controls/slide_geometry.h"

#include <algorithm>
#include <cstdlib>

namespace slide {

int TickY(int top, int bottom, int index, int detents) {
    if (detents < 2) {
        return top;
    }
    return top + index * (bottom - top) / (detents - 1);
}

Layout LayoutIn(const QRect& rectangle, int textHeight, int detents) {
    Layout layout;
    const int thumbWidth = rectangle.width() / 3;
    const int thumbHeight = thumbWidth / 2;
    layout.thumbSize = QSize(thumbWidth, thumbHeight);
    layout.thumbLeft = rectangle.left() + thumbHeight - rectangle.width() / 10;
    const int rectangleBottom = rectangle.top() + rectangle.height();
    layout.trackTop = textHeight + thumbHeight / 2 + rectangle.top() + 5;
    layout.trackBottom = std::max(layout.trackTop, rectangleBottom - thumbHeight / 2 - 4);
    const int thumbCentre = layout.thumbLeft + thumbWidth / 2;
    layout.track =
        QRect(thumbCentre - 4, layout.trackTop, kTrackWidth, layout.trackBottom - layout.trackTop);
    layout.tickColumn = layout.thumbLeft + thumbWidth + 3;
    for (int i = 0; i < detents; ++i) {
        layout.ticks.push_back(TickY(layout.trackTop, layout.trackBottom, i, detents));
    }
    return layout;
}

QRect ThumbAt(const Layout& layout, int y) {
    return QRect(QPoint(layout.thumbLeft, y - layout.thumbSize.height() / 2), layout.thumbSize);
}

std::array<QPoint, 5> ThumbOutline(const QRect& thumb) {
    const int left = thumb.left();
    const int top = thumb.top();
    const int right = thumb.left() + thumb.width();
    const int bottom = thumb.top() + thumb.height();
    const int centre = left + thumb.width() / 2;
    const int middle = top + thumb.height() / 2;
    return {QPoint(left, top), QPoint(centre + 4, top), QPoint(right, middle),
            QPoint(centre + 4, bottom), QPoint(left, bottom)};
}

int NearestTick(const std::vector<int>& ticks, int y) {
    int nearest = -1;
    int best = 0;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const int distance = std::abs(ticks[i] - y);
        if (nearest < 0 || distance < best) {
            nearest = static_cast<int>(i);
            best = distance;
        }
    }
    return nearest;
}

Snap SnapDrag(const std::vector<int>& ticks, int selected, int snapY, int y) {
    if (ticks.empty() || std::abs(y - snapY) < kSnapDistance) {
        return {selected, false};
    }
    const int last = static_cast<int>(ticks.size()) - 1;
    const int current = std::clamp(selected, 0, last);
    const int tick = ticks[static_cast<std::size_t>(current)];
    if (current == last && y >= tick) {
        return {current, true};
    }
    const int step = y > tick ? 1 : -1;
    return {std::clamp(current + step, 0, last), true};
}

}  // namespace slide
