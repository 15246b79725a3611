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

class QFont;
class QPainter;
class QRect;
class ReadingGlyphs;

class ReadingCellText {
public:
    ReadingCellText();

    // Draws `text` with the painter's font and pen, centred in `cell`;
    // `glyphs` are the grid's, shared by its cells.
    void Draw(QPainter& painter, const QRect& cell, const QString& text, ReadingGlyphs& glyphs);
    // The part of `cell` whose pixels differ when `after` replaces `before`
    // there, drawn with `font`: from the first changed glyph on when the
    // cell draws glyph runs and both texts have one width, else all of it.
    QRect ChangedRect(const QRect& cell, const QString& before, const QString& after,
                      const QFont& font, ReadingGlyphs& glyphs) const;

private:
    void Prepare(const QPainter& painter, const QString& text, ReadingGlyphs& glyphs);

    bool prepared_ = false;
    QString text_;
    QSizeF size_;
    std::optional<QGlyphRun> glyphs_;
    QStaticText laidOut_;  // when the text has no glyph run
};
