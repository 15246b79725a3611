#include "windows/io_row_delegate.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kTextMargin = 3;    // as the style leaves beside a cell's text
constexpr int kKeptTexts = 4096;  // far more than a screen of cells

}  // namespace

const QStaticText& IoRowDelegate::LaidOut(const QString& text, const QFont& font,
                                          const QFontMetrics& metrics, int width) const {
    Key key{text, width};
    const auto found = laidOut_.constFind(key);
    if (found != laidOut_.constEnd()) {
        return *found;
    }
    if (laidOut_.size() >= kKeptTexts) {
        laidOut_.clear();
    }
    QStaticText laidOut;
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.setPerformanceHint(QStaticText::AggressiveCaching);
    // What an elided text shows depends only on the characters that fit: a
    // long text (an answer runs to a couple of hundred characters) whose
    // beginning is already too wide is cut from that beginning alone.
    const int prefixLength = 2 * width / std::max(1, metrics.averageCharWidth()) + 8;
    if (text.size() > prefixLength) {
        const QString prefix = text.left(prefixLength);
        if (metrics.horizontalAdvance(prefix) > width) {
            laidOut.setText(metrics.elidedText(prefix, Qt::ElideRight, width));
            laidOut.prepare(QTransform(), font);
            return *laidOut_.insert(std::move(key), std::move(laidOut));
        }
    }
    // Laid out once; only a text wider than its column is laid out again, cut.
    laidOut.setText(text);
    laidOut.prepare(QTransform(), font);
    if (laidOut.size().width() > width) {
        laidOut.setText(metrics.elidedText(text, Qt::ElideRight, width));
        laidOut.prepare(QTransform(), font);
    }
    return *laidOut_.insert(std::move(key), std::move(laidOut));
}

void IoRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    if (selected) {
        painter->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
    }
    const QVariant foreground = index.data(Qt::ForegroundRole);
    QColor color = option.palette.color(QPalette::Text);
    if (selected) {
        color = option.palette.color(QPalette::HighlightedText);
    } else if (foreground.canConvert<QBrush>()) {
        color = foreground.value<QBrush>().color();
    }
    const QRect textRect = option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
    const QStaticText& text = LaidOut(index.data(Qt::DisplayRole).toString(), option.font,
                                      option.fontMetrics, textRect.width());
    painter->save();
    painter->setPen(color);
    painter->setFont(option.font);
    painter->setClipRect(option.rect);
    const int top = textRect.top() + (textRect.height() - option.fontMetrics.height()) / 2;
    painter->drawStaticText(QPoint(textRect.left(), top), text);
    painter->restore();
    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor =
            option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}
