#include "panels/measurement/reading_cell_text.h"

#include <QPainter>
#include <QRect>
#include <memory>

#include "panels/measurement/reading_glyphs.h"

namespace {

// The glyphs of the font last drawn with; the grid's cells share one font.
const ReadingGlyphs& GlyphsFor(const QFont& font) {
    static std::unique_ptr<ReadingGlyphs> glyphs;
    if (glyphs == nullptr || glyphs->Font() != font) {
        glyphs = std::make_unique<ReadingGlyphs>(font);
    }
    return *glyphs;
}

}  // namespace

ReadingCellText::ReadingCellText() {
    laidOut_.setTextFormat(Qt::PlainText);
}

void ReadingCellText::Prepare(const QPainter& painter, const QString& text) {
    prepared_ = true;
    text_ = text;
    const QFont& font = painter.font();
    // Glyphs are placed as the layout places them only where pixels are pixels.
    const bool translatedOnly = painter.deviceTransform().type() <= QTransform::TxTranslate;
    glyphs_ = translatedOnly ? GlyphsFor(font).Layout(text, size_) : std::nullopt;
    if (glyphs_) {
        return;
    }
    laidOut_.setText(text);
    laidOut_.prepare(QTransform(), font);
    size_ = laidOut_.size();
}

void ReadingCellText::Draw(QPainter& painter, const QRect& cell, const QString& text) {
    if (!prepared_ || text != text_) {
        Prepare(painter, text);
    }
    const QPointF topLeft(cell.left() + (cell.width() - size_.width()) / 2,
                          cell.top() + (cell.height() - size_.height()) / 2);
    if (glyphs_) {
        painter.drawGlyphRun(topLeft, *glyphs_);
        return;
    }
    painter.drawStaticText(topLeft, laidOut_);
}
