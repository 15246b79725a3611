#pragma once
// How the I/O monitor draws a cell: its text on one line, cut with an
// ellipsis to the column. The style's own item painting lays each cell's
// text out again on every repaint, and the monitor repaints as calls arrive
// (several times a second during auto update); the laid-out texts are kept
// here instead, most of them repeat from row to row.

#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

class IoRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const QStaticText& LaidOut(const QString& text, const QFont& font, const QFontMetrics& metrics,
                               int width) const;

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
};
