#pragma once
// One cell's text in the readings grid: laid out once per new value and drawn
// centred in its cell. A reading goes through the font's looked-up glyphs
// (ReadingGlyphs), any other text through QStaticText; both put the same
// pixels on the screen, the first without shaping the text.

#include <QGlyphRun>
#include <QSizeF>
#include <QStaticText>
#include <QString>
#include <optional>

class QPainter;
class QRect;
class ReadingGlyphs;

class ReadingCellText {
public:
    ReadingCellText();

    // Draws `text` with the painter's font and pen, centred in `cell`;
    // `glyphs` are the grid's, shared by its cells.
    void Draw(QPainter& painter, const QRect& cell, const QString& text, ReadingGlyphs& glyphs);

private:
    void Prepare(const QPainter& painter, const QString& text, ReadingGlyphs& glyphs);

    bool prepared_ = false;
    QString text_;
    QSizeF size_;
    std::optional<QGlyphRun> glyphs_;
    QStaticText laidOut_;  // when the text has no glyph run
};
