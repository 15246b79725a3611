#include "controls/surface_drawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <vector>

#include "controls/panel_color.h"

void DrawEdge(QPainter& painter, const QRect& rect, const QColor& topLeft,
              const QColor& bottomRight, int width) {
    const int x = rect.x();
    const int y = rect.y();
    const int w = rect.width();
    const int h = rect.height();
    painter.fillRect(QRect(x, y, w, width), topLeft);
    painter.fillRect(QRect(x, y, width, h), topLeft);
    // Each far band starts one pixel further in per step, so the corners meet
    // on the diagonal as on a pressed button.
    for (int i = 0; i < width; ++i) {
        painter.fillRect(QRect(x + i + 1, y + h - 1 - i, w - i - 1, 1), bottomRight);
        painter.fillRect(QRect(x + w - 1 - i, y + i + 1, 1, h - i - 1), bottomRight);
    }
}

QSize TextExtent(const QPainter& painter, const QString& text) {
    const QFontMetrics metrics = painter.fontMetrics();
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

QColor DimmedTextColor() {
    return ToQColor(PanelColor(panel_colors::kGrey));
}

void DrawOpaqueText(QPainter& painter, const QRect& rect, const QString& text, const QColor& colour,
                    const QColor& background, bool enabled) {
    if (rect.isEmpty()) {
        return;
    }
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.fillRect(rect, background);
    painter.setPen(enabled ? colour : DimmedTextColor());
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(QPoint(rect.left(), rect.top() + metrics.ascent()), text);
    painter.restore();
}

void FloodFillSurface(QImage& image, QPoint seed, const QColor& fill) {
    if (!image.rect().contains(seed)) {
        return;
    }
    const QRgb target = image.pixel(seed);
    const QRgb replacement = fill.rgb();
    if (target == replacement) {
        return;
    }
    std::vector<QPoint> pending{seed};
    while (!pending.empty()) {
        const QPoint point = pending.back();
        pending.pop_back();
        if (!image.rect().contains(point) || image.pixel(point) != target) {
            continue;
        }
        // Fill the whole run of the row, then look at the rows above and below.
        int left = point.x();
        while (left > 0 && image.pixel(left - 1, point.y()) == target) {
            --left;
        }
        int right = point.x();
        while (right + 1 < image.width() && image.pixel(right + 1, point.y()) == target) {
            ++right;
        }
        for (int x = left; x <= right; ++x) {
            image.setPixel(x, point.y(), replacement);
            pending.emplace_back(x, point.y() - 1);
            pending.emplace_back(x, point.y() + 1);
        }
    }
}
