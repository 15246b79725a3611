#include "controls/bitmap_label.h"

#include <QPainter>

#include "controls/bitmap_resource.h"
#include "controls/template_control.h"

BitmapLabel::BitmapLabel(std::uint16_t bitmapId) : bitmapId_(bitmapId) {}

bool BitmapLabel::Attach(QWidget& page, int id) {
    return TakeTemplatePlace(*this, page, id);
}

void BitmapLabel::paintEvent(QPaintEvent* /*event*/) {
    const QPixmap bitmap = LoadBitmapResource(bitmapId_);
    if (bitmap.isNull()) {
        return;
    }
    if (firstPaint_) {
        firstPaint_ = false;
        resize(bitmap.size());
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, bitmap);
}
