#pragma once
// How the I/O monitor draws a cell: its text on one line, cut with an
// ellipsis to the column. The style's own item painting lays each cell's
// text out again on every repaint; the laid-out texts that come again (most
// of them repeat from row to row) are kept here instead, and a text seen for
// the first time, as a time or a duration mostly is, is drawn as it is.

#include <QHash>
#include <QImage>
#include <QSet>
#include <QStaticText>
#include <QStyledItemDelegate>

class IoRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // What shows of `text` in `width` pixels: what QFontMetrics::elidedText
    // gives, found from a short prefix of a long text.
    static QString Shown(const QString& text, const QFontMetrics& metrics, int width);

private:
    // A text that came again: laid out, and drawn once on the plain
    // background, which a cell that is not selected copies.
    struct Kept {
        QStaticText text;
        QImage image;
        QRgb imageColor = 0;
        QRgb imageBackground = 0;
    };
    // A cell's text as it is drawn: kept, or else `shown`.
    struct Cell {
        Kept* kept = nullptr;
        QString shown;
    };
    static const QImage& Drawn(Kept& kept, const QStyleOptionViewItem& option, const QColor& color);
    Cell Prepared(const QString& text, const QFont& font, const QFontMetrics& metrics,
                  int width) const;
    static int CharactersPast(const QString& text, const QFontMetrics& metrics, int width);

    struct Key {
        QString text;
        int width = 0;
        bool operator==(const Key& other) const {
            return width == other.width && text == other.text;
        }
    };
    friend size_t qHash(const Key& key, size_t seed) {
        return qHashMulti(seed, key.text, key.width);
    }
    mutable QHash<Key, Kept> laidOut_;
    mutable QSet<Key> seenOnce_;  // drawn once as they are; laid out when seen again
};
