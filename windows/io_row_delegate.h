#pragma once
// How the I/O monitor draws a cell: its text on one line, cut with an
// ellipsis to the column. The style's own item painting lays each cell's
// text out again on every repaint; the laid-out texts that come again (most
// of them repeat from row to row) are kept here instead, and a text seen for
// the first time, as a time or a duration mostly is, is drawn as it is.

#include <QHash>
#include <QSet>
#include <QStaticText>
#include <QStyledItemDelegate>

class IoRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    // A cell's text as it is drawn: kept laid out, or else `shown`.
    struct Cell {
        const QStaticText* kept = nullptr;
        QString shown;
    };
    Cell Prepared(const QString& text, const QFont& font, const QFontMetrics& metrics,
                  int width) const;
    static QString Shown(const QString& text, const QFontMetrics& metrics, int width);
    static bool SurelyFits(const QString& text, const QFontMetrics& metrics, int width);

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
    mutable QHash<Key, QStaticText> laidOut_;
    mutable QSet<Key> seenOnce_;  // drawn once as they are; laid out when seen again
};
