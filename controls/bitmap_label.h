#pragma once
// A bitmap resource shown unscaled in the place of a template control.

#include <QWidget>
#include <cstdint>

class BitmapLabel : public QWidget {
    Q_OBJECT

public:
    explicit BitmapLabel(std::uint16_t bitmapId);

    // Takes the place of template control `id` of `page` (see template_control.h).
    bool Attach(QWidget& page, int id);

    std::uint16_t BitmapId() const { return bitmapId_; }

protected:
    // The first paint sizes the label to the bitmap without moving it.
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint16_t bitmapId_;
    bool firstPaint_ = true;
};
