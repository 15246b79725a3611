#include "windows/io_row_delegate.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kTextMargin = 3;    // as the style leaves beside a cell's text
constexpr int kKeptTexts = 4096;  // far more than a screen of cells

}  // namespace

// The characters' own advances, with room to spare for what shaping changes:
// much cheaper than laying the text out.
bool IoRowDelegate::SurelyFits(const QString& text, const QFontMetrics& metrics, int width) {
    constexpr int kSpare = 4;
    int advance = 0;
    for (const QChar character : text) {
        if (character.unicode() >= 0x300) {
            return false;  // combining marks, and scripts that shaping rearranges
        }
        advance += metrics.horizontalAdvance(character);
        if (advance + kSpare > width) {
            return false;
        }
    }
    return true;
}

// What shows of `text` in `width`: all of it, or its beginning cut with an
// ellipsis. That beginning depends only on the characters that fit, so a
// long text (an answer runs to a couple of hundred characters) is cut from a
// prefix when the prefix is already too wide.
QString IoRowDelegate::Shown(const QString& text, const QFontMetrics& metrics, int width) {
    if (SurelyFits(text, metrics, width)) {
        return text;
    }
    const int prefixLength = 2 * width / std::max(1, metrics.averageCharWidth()) + 8;
    if (text.size() > prefixLength) {
        const QString prefix = text.left(prefixLength);
        QString cut = metrics.elidedText(prefix, Qt::ElideRight, width);
        if (cut != prefix) {
            return cut;
        }
    }
    return metrics.elidedText(text, Qt::ElideRight, width);
}

// Laying a text out to keep costs several times drawing it once: a text is
// kept the second time it is drawn.
IoRowDelegate::Cell IoRowDelegate::Prepared(const QString& text, const QFont& font,
                                            const QFontMetrics& metrics, int width) const {
    Key key{text, width};
    if (const auto found = laidOut_.constFind(key); found != laidOut_.constEnd()) {
        return {&*found, {}};
    }
    QString shown = Shown(text, metrics, width);
    if (!seenOnce_.contains(key)) {
        if (seenOnce_.size() >= kKeptTexts) {
            seenOnce_.clear();
        }
        seenOnce_.insert(std::move(key));
        return {nullptr, std::move(shown)};
    }
    seenOnce_.remove(key);
    if (laidOut_.size() >= kKeptTexts) {
        laidOut_.clear();
    }
    QStaticText laidOut(shown);
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.setPerformanceHint(QStaticText::AggressiveCaching);
    laidOut.prepare(QTransform(), font);
    return {&*laidOut_.insert(std::move(key), std::move(laidOut)), {}};
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
    const Cell cell = Prepared(index.data(Qt::DisplayRole).toString(), option.font,
                               option.fontMetrics, textRect.width());
    painter->save();
    painter->setPen(color);
    painter->setFont(option.font);
    painter->setClipRect(option.rect);
    const int top = textRect.top() + (textRect.height() - option.fontMetrics.height()) / 2;
    if (cell.kept != nullptr) {
        painter->drawStaticText(QPoint(textRect.left(), top), *cell.kept);
    } else {
        painter->drawText(QPoint(textRect.left(), top + option.fontMetrics.ascent()), cell.shown);
    }
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
