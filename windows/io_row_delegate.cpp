#include "windows/io_row_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kTextMargin = 3;    // as the style leaves beside a cell's text
constexpr int kKeptTexts = 4096;  // far more than a screen of cells

int TextTop(const QStyleOptionViewItem& option) {
    return option.rect.top() + (option.rect.height() - option.fontMetrics.height()) / 2;
}

// A cell drawn on the table's plain background, at one pixel a point, can be
// a copy of the same text drawn before. The table fills its background in the
// window's active or inactive colours, the cell is given the active ones:
// where they differ the glyphs are drawn.
bool CopiesTheBackground(const QPainter& painter, const QStyleOptionViewItem& option) {
    const QColor base = option.palette.color(QPalette::Base);
    const QPalette& table = option.widget != nullptr ? option.widget->palette() : option.palette;
    const bool plain = !option.state.testFlag(QStyle::State_Selected) &&
                       !option.features.testFlag(QStyleOptionViewItem::Alternate) &&
                       option.palette.brush(QPalette::Base).style() == Qt::SolidPattern &&
                       table.color(QPalette::Active, QPalette::Base) == base &&
                       table.color(QPalette::Inactive, QPalette::Base) == base;
    return plain && painter.device() != nullptr && painter.device()->devicePixelRatio() == 1.0 &&
           painter.transform().type() <= QTransform::TxTranslate;
}

}  // namespace

// Where `text` stops fitting in `width`, from the characters' own advances
// with room to spare for what shaping changes (much cheaper than laying the
// text out): the number of characters up to the one that passes it, -1 when
// the whole text surely fits, 0 when shaping may rearrange the text and the
// advances say nothing.
int IoRowDelegate::CharactersPast(const QString& text, const QFontMetrics& metrics, int width) {
    constexpr int kSpare = 4;
    int advance = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar character = text[i];
        if (character.unicode() >= 0x300) {
            return 0;  // combining marks, and scripts that shaping rearranges
        }
        advance += metrics.horizontalAdvance(character);
        if (advance + kSpare > width) {
            return static_cast<int>(i) + 1;
        }
    }
    return -1;
}

// What shows of `text` in `width`: all of it, or its beginning cut with an
// ellipsis. That beginning depends only on the characters that fit, so a
// long text (an answer runs to a couple of hundred characters) is cut from a
// prefix a few characters longer than what fits, when that prefix is
// already too wide.
QString IoRowDelegate::Shown(const QString& text, const QFontMetrics& metrics, int width) {
    constexpr int kPrefixSpare = 4;
    const int past = CharactersPast(text, metrics, width);
    if (past < 0) {
        return text;
    }
    const qsizetype prefixLength =
        past > 0 ? past + kPrefixSpare : 2 * width / std::max(1, metrics.averageCharWidth()) + 8;
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
    if (const auto found = laidOut_.find(key); found != laidOut_.end()) {
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
    Kept kept;
    kept.text.setText(shown);
    kept.text.setTextFormat(Qt::PlainText);
    kept.text.setPerformanceHint(QStaticText::AggressiveCaching);
    kept.text.prepare(QTransform(), font);
    return {&*laidOut_.insert(std::move(key), std::move(kept)), {}};
}

// The text drawn on the cell's background as a whole cell would show it,
// with room beside it for glyphs that reach past their advance: copying it
// costs a fraction of drawing the glyphs again.
const QImage& IoRowDelegate::Drawn(Kept& kept, const QStyleOptionViewItem& option,
                                   const QColor& color) {
    const QRgb background = option.palette.color(QPalette::Base).rgba();
    if (!kept.image.isNull() && kept.image.height() == option.rect.height() &&
        kept.imageColor == color.rgba() && kept.imageBackground == background) {
        return kept.image;
    }
    const int width = static_cast<int>(std::ceil(kept.text.size().width())) + 2 * kTextMargin;
    kept.image = QImage(width, option.rect.height(), QImage::Format_RGB32);
    kept.image.fill(background);
    QPainter painter(&kept.image);
    painter.setPen(color);
    painter.setFont(option.font);
    painter.drawStaticText(QPoint(kTextMargin, TextTop(option) - option.rect.top()), kept.text);
    kept.imageColor = color.rgba();
    kept.imageBackground = background;
    return kept.image;
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
    const int left = option.rect.left() + kTextMargin;
    const Cell cell = Prepared(index.data(Qt::DisplayRole).toString(), option.font,
                               option.fontMetrics, option.rect.width() - 2 * kTextMargin);
    painter->save();
    painter->setClipRect(option.rect);
    if (cell.kept != nullptr && CopiesTheBackground(*painter, option)) {
        painter->drawImage(QPoint(left - kTextMargin, option.rect.top()),
                           Drawn(*cell.kept, option, color));
    } else {
        painter->setPen(color);
        painter->setFont(option.font);
        if (cell.kept != nullptr) {
            painter->drawStaticText(QPoint(left, TextTop(option)), cell.kept->text);
        } else {
            painter->drawText(QPoint(left, TextTop(option) + option.fontMetrics.ascent()),
                              cell.shown);
        }
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
