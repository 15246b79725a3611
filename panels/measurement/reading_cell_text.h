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

class ReadingCellText {
public:
    ReadingCellText();

    // Draws `text` with the painter's font and pen, centred in `cell`.
    void Draw(QPainter& painter, const QRect& cell, const QString& text);

private:
    void Prepare(const QPainter& painter, const QString& text);

    bool prepared_ = false;
    QString text_;
    QSizeF size_;
    std::optional<QGlyphRun> glyphs_;
    QStaticText laidOut_;  // when the text has no glyph run
};
