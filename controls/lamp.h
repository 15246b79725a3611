#pragma once
// The round status lamp drawn in the place of an owner-drawn button.

#include <QWidget>

#include "platform/colour_ref.h"

class Lamp : public QWidget {
    Q_OBJECT

public:
    Lamp(ColorRef lampColor, ColorRef background);

    // Takes the place of template control `id` of `page` (see template_control.h).
    bool Attach(QWidget& page, int id);

    ColorRef LampColor() const { return lampColor_; }

    // Draws the lamp into `item`: background, bevelled circle, shadow arc over
    // its lower-right half, and the inner disc in the lamp colour.
    void DrawItem(QPainter& painter, const QRect& item) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColorRef lampColor_;
    ColorRef background_;
};

// The largest square centred in `rect`.
QRect CentredSquare(const QRect& rect);
