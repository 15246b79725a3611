#include "panels/measurement/reading_cell_text.h"

#include <QPainter>
#include <QRect>
#include <QtMath>

#include "panels/measurement/reading_glyphs.h"

ReadingCellText::ReadingCellText() {
    laidOut_.setTextFormat(Qt::PlainText);
}

void ReadingCellText::Prepare(const QPainter& painter, const QString& text, ReadingGlyphs& glyphs) {
    prepared_ = true;
    text_ = text;
    const QFont& font = painter.font();
    glyphs_.reset();
    // Glyphs are placed as the layout places them only where pixels are pixels.
    if (!text.isEmpty() && painter.deviceTransform().type() <= QTransform::TxTranslate) {
        glyphs.Use(font);
        glyphs_ = glyphs.Layout(text, size_);
    }
    if (glyphs_) {
        return;
    }
    laidOut_.setText(text);
    laidOut_.prepare(QTransform(), font);
    size_ = laidOut_.size();
}

void ReadingCellText::Draw(QPainter& painter, const QRect& cell, const QString& text,
                           ReadingGlyphs& glyphs) {
    if (!prepared_ || text != text_) {
        Prepare(painter, text, glyphs);
    }
    const QPointF topLeft(cell.left() + (cell.width() - size_.width()) / 2,
                          cell.top() + (cell.height() - size_.height()) / 2);
    if (glyphs_) {
        painter.drawGlyphRun(topLeft, *glyphs_);
        return;
    }
    painter.drawStaticText(topLeft, laidOut_);
}

QRect ReadingCellText::ChangedRect(const QRect& cell, const QString& before, const QString& after,
                                   const QFont& font, ReadingGlyphs& glyphs) const {
    if (!glyphs_) {
        return cell;  // drawn by QStaticText, or not yet drawn
    }
    glyphs.Use(font);
    const std::optional<ReadingGlyphs::Change> change = glyphs.ChangeBetween(before, after);
    if (!change) {
        return cell;
    }
    const qreal textLeft = cell.left() + (cell.width() - change->width) / 2;
    // One pixel more for the antialiased edge of a glyph at a fractional place.
    const int left = qFloor(textLeft + change->firstInk) - 1;
    return QRect(QPoint(qMax(cell.left(), left), cell.top()), cell.bottomRight());
}
