#pragma once
// Small drawing steps shared by the custom-drawn controls: bevelled edges,
// text on a background, dimmed text and the surface flood fill.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

// Two bands of `width` pixels inside `rect`: `topLeft` along the left and top
// sides, `bottomRight` along the right and bottom. Shadow first gives a sunken
// look, highlight first a raised one.
void DrawEdge(QPainter& painter, const QRect& rect, const QColor& topLeft,
              const QColor& bottomRight, int width = 2);

// The size `text` takes in the painter's current font: advance width and the
// font's full height.
QSize TextExtent(const QPainter& painter, const QString& text);

// Draws `text` with its top-left corner at `rect`'s, clipped to `rect`, on an
// opaque `background`. Disabled text is drawn dimmed (grey) instead of in
// `colour`, as the platform greys the text of a disabled control.
void DrawOpaqueText(QPainter& painter, const QRect& rect, const QString& text, const QColor& colour,
                    const QColor& background, bool enabled = true);

// The grey of dimmed text.
QColor DimmedTextColor();

// The platform's surface flood fill: every pixel of `image` that has the
// colour of the `seed` pixel and is connected to it through its four
// neighbours takes the colour `fill`. A seed outside the image does nothing.
void FloodFillSurface(QImage& image, QPoint seed, const QColor& fill);
