#include "panels/measurement/reading_glyphs.h"

#include <QFontMetricsF>
#include <QStaticText>
#include <QTextLayout>
#include <algorithm>

namespace {

// What "%g" writes for a value; "----" (no reading) is made of them too.
const QString& ReadingCharacters() {
    static const QString characters = QStringLiteral("0123456789+-.e");
    return characters;
}

// Every ordered pair of the characters side by side, so that one layout
// shows any kerning or ligature between two of them.
QString EveryPair() {
    QString pairs;
    for (const QChar first : ReadingCharacters()) {
        for (const QChar second : ReadingCharacters()) {
            pairs.append(first);
            pairs.append(second);
        }
    }
    return pairs;
}

}  // namespace

void ReadingGlyphs::Use(const QFont& font) {
    if (!used_ || font != font_) {
        *this = ReadingGlyphs(font);
    }
}

ReadingGlyphs::ReadingGlyphs(const QFont& font)
    : used_(true), font_(font), rawFont_(QRawFont::fromFont(font)) {
    static_assert(kCharacterCount == 14, "one glyph per reading character");
    if (!rawFont_.isValid()) {
        return;
    }
    const QList<quint32> glyphs = rawFont_.glyphIndexesForString(ReadingCharacters());
    const QList<QPointF> advances = rawFont_.advancesForGlyphIndexes(glyphs);
    if (glyphs.size() != kCharacterCount || advances.size() != kCharacterCount) {
        return;
    }
    for (int i = 0; i < kCharacterCount; ++i) {
        if (glyphs[i] == 0) {
            return;  // the font lacks the character: the layout would fall back to another
        }
        glyphs_[static_cast<std::size_t>(i)] = glyphs[i];
        advances_[static_cast<std::size_t>(i)] = advances[i].x();
        inkLeft_ = std::min(inkLeft_, rawFont_.boundingRect(glyphs[i]).left());
    }
    ascent_ = QFontMetricsF(font).ascent();
    QStaticText line(QStringLiteral("0"));
    line.prepare(QTransform(), font);
    lineHeight_ = line.size().height();
    exact_ = LaysOutAsLookedUp();
}

// A table rather than a search of the characters: every glyph of every new
// value is looked up here.
int ReadingGlyphs::IndexOf(QChar character) {
    static const std::array<qint8, 128> positions = [] {
        std::array<qint8, 128> table{};
        table.fill(-1);
        const QString& characters = ReadingCharacters();
        for (qsizetype i = 0; i < characters.size(); ++i) {
            table[characters[i].unicode()] = static_cast<qint8>(i);
        }
        return table;
    }();
    const char16_t code = character.unicode();
    return code < positions.size() ? positions[code] : -1;
}

// One layout of every pair must give each character its own glyph, at the
// previous one's position plus the previous one's advance.
bool ReadingGlyphs::LaysOutAsLookedUp() const {
    const QString pairs = EveryPair();
    QTextLayout layout(pairs, font_);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        return false;
    }
    line.setNumColumns(static_cast<int>(pairs.size()));
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() != 1 || runs[0].glyphIndexes().size() != pairs.size()) {
        return false;
    }
    const QList<quint32> glyphs = runs[0].glyphIndexes();
    const QList<QPointF> positions = runs[0].positions();
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        const auto index = static_cast<std::size_t>(IndexOf(pairs[i]));
        if (glyphs[i] != glyphs_[index] || positions[i].y() != ascent_) {
            return false;
        }
        if (i + 1 < pairs.size() && positions[i + 1].x() - positions[i].x() != advances_[index]) {
            return false;
        }
    }
    return true;
}

std::optional<QGlyphRun> ReadingGlyphs::Layout(const QString& text, QSizeF& size) const {
    if (!exact_) {
        return std::nullopt;
    }
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(text.size());
    positions.reserve(text.size());
    qreal x = 0;
    for (const QChar character : text) {
        const int index = IndexOf(character);
        if (index < 0) {
            return std::nullopt;
        }
        glyphs.append(glyphs_[static_cast<std::size_t>(index)]);
        positions.append(QPointF(x, ascent_));
        x += advances_[static_cast<std::size_t>(index)];
    }
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    size = QSizeF(x, lineHeight_);
    return run;
}

std::optional<ReadingGlyphs::Change> ReadingGlyphs::ChangeBetween(const QString& before,
                                                                  const QString& after) const {
    if (!exact_ || before.size() != after.size()) {
        return std::nullopt;
    }
    // Summed in Layout's order, so that equal widths place both texts alike
    // and the glyphs before the first changed character keep their places.
    qreal beforeWidth = 0;
    qreal afterWidth = 0;
    std::optional<qreal> firstChange;
    for (qsizetype i = 0; i < after.size(); ++i) {
        const int was = IndexOf(before[i]);
        const int is = IndexOf(after[i]);
        if (was < 0 || is < 0) {
            return std::nullopt;
        }
        if (!firstChange && was != is) {
            firstChange = afterWidth;
        }
        beforeWidth += advances_[static_cast<std::size_t>(was)];
        afterWidth += advances_[static_cast<std::size_t>(is)];
    }
    if (beforeWidth != afterWidth) {
        return std::nullopt;
    }
    return Change{afterWidth, firstChange.value_or(afterWidth) + inkLeft_};
}
