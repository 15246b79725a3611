#pragma once
// The readings' characters (digits, sign, point, exponent) as glyphs of one
// font, looked up once, so that a new value is placed without shaping its
// text. Only a font that places these characters one after the other, each
// by its own advance (no kerning, no ligature, no fallback font), is used
// this way; the check is made once, against Qt's own text layout.

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QSizeF>
#include <QString>
#include <array>
#include <optional>

class ReadingGlyphs {
public:
    // Empty until a font is used: nothing is looked up before a value is shown.
    ReadingGlyphs() = default;
    explicit ReadingGlyphs(const QFont& font);

    // Looks the glyphs of `font` up unless they are the ones held.
    void Use(const QFont& font);
    // False when the font's text layout moves or replaces any of the characters.
    bool Exact() const { return exact_; }
    // `text` as glyphs on one line whose top left is (0, 0), with the line's
    // size as QStaticText gives it; nothing when the font is not exact or a
    // character is not one of the readings'.
    std::optional<QGlyphRun> Layout(const QString& text, QSizeF& size) const;

    // Where `after` starts to differ from `before` when both lay out to the
    // same width, and so at the same place in a centred cell: the leftmost
    // ink any changed glyph can have, from the text's left. Nothing when the
    // widths differ or either text is not made of the readings' glyphs.
    struct Change {
        qreal width = 0;
        qreal firstInk = 0;
    };
    std::optional<Change> ChangeBetween(const QString& before, const QString& after) const;

private:
    static constexpr int kCharacterCount = 14;
    // The position of `character` among the readings' characters, or -1.
    static int IndexOf(QChar character);
    bool LaysOutAsLookedUp() const;

    bool used_ = false;
    QFont font_;
    QRawFont rawFont_;
    std::array<quint32, kCharacterCount> glyphs_{};
    std::array<qreal, kCharacterCount> advances_{};
    qreal ascent_ = 0;
    qreal lineHeight_ = 0;
    qreal inkLeft_ = 0;  // the leftmost ink of any of the glyphs, from its origin (<= 0)
    bool exact_ = false;
};
