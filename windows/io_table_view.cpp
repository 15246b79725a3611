#include "windows/io_table_view.h"

#include <QHeaderView>
#include <QMetaMethod>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionViewItem>

#include "windows/steady_scroll_bar.h"

namespace {

// Connects `signal` to the receiver's slot once, whether or not it was.
void ConnectOnce(const QObject* sender, const QMetaMethod& signal, const QObject* receiver,
                 const char* slotSignature) {
    const QMetaObject* type = receiver->metaObject();
    const QMetaMethod slot = type->method(type->indexOfSlot(slotSignature));
    QObject::disconnect(sender, signal, receiver, slot);
    QObject::connect(sender, signal, receiver, slot);
}

}  // namespace

IoTableView::IoTableView(QWidget* parent) : QTableView(parent) {
    auto* bar = new SteadyScrollBar(Qt::Vertical, this);
    setVerticalScrollBar(bar);
    // The item view's own links to its bar, which replacing the bar may not carry over.
    ConnectOnce(bar, QMetaMethod::fromSignal(&QScrollBar::actionTriggered), this,
                "verticalScrollbarAction(int)");
    ConnectOnce(bar, QMetaMethod::fromSignal(&QScrollBar::valueChanged), this,
                "verticalScrollbarValueChanged(int)");
    // The stock view still leaves each cell's last pixel row and column to
    // the grid, and paints it with no pen; paintEvent fills it.
    setGridStyle(Qt::NoPen);
}

void IoTableView::setModel(QAbstractItemModel* model) {
    disconnect(aboutToInsert_);
    QTableView::setModel(model);
    if (model == nullptr) {
        return;
    }
    // A layout still pending from another change is done the stock way first,
    // so that the one an insertion schedules is the insertion's alone.
    aboutToInsert_ = connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this,
                             [this] { executeDelayedItemsLayout(); });
}

void IoTableView::rowsInserted(const QModelIndex& parent, int start, int end) {
    QTableView::rowsInserted(parent, start, end);
    const bool atEnd = !parent.isValid() && start > 0 && end == model()->rowCount() - 1;
    if (!atEnd) {
        return;
    }
    appendedFrom_ = start;
    executeDelayedItemsLayout();
    appendedFrom_ = -1;
}

void IoTableView::doItemsLayout() {
    if (appendedFrom_ < 0) {
        QTableView::doItemsLayout();
        return;
    }
    LayOutAppended();
}

// The rows above keep their places. The new scroll range moves the rows'
// offset to a whole row, which the stock layout then repaints; here the
// offset stays, so that what is on screen is still right and a scroll to the
// new rows is a move by whole rows.
void IoTableView::LayOutAppended() {
    QHeaderView* rows = verticalHeader();
    const int offset = rows->offset();
    updateGeometries();
    rows->setOffset(offset);
    const int top = rowViewportPosition(appendedFrom_);
    QWidget* area = viewport();
    if (top < area->height()) {
        area->update(0, top, area->width(), area->height() - top);
    }
}

void IoTableView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (!showGrid() || model() == nullptr) {
        return;
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QColor color = QColor::fromRgba(
        static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    QPainter painter(viewport());
    for (const QRect& area : event->region()) {
        FillGrid(painter, color, area);
    }
}

// Where the stock view draws its lines over `area`: under each row in it and
// at the right of each column in it.
void IoTableView::FillGrid(QPainter& painter, const QColor& color, const QRect& area) const {
    const QHeaderView* rows = verticalHeader();
    const QHeaderView* columns = horizontalHeader();
    int first = rows->visualIndexAt(area.top());
    int last = rows->visualIndexAt(area.bottom());
    first = first < 0 ? 0 : first;
    last = last < 0 ? model()->rowCount(rootIndex()) - 1 : last;
    for (int visual = first; visual <= last; ++visual) {
        const int row = rows->logicalIndex(visual);
        if (rows->isSectionHidden(row)) {
            continue;
        }
        const int bottom = rowViewportPosition(row) + rowHeight(row) - 1;
        painter.fillRect(QRect(area.left(), bottom, area.width(), 1), color);
    }
    const bool rightToLeft = isRightToLeft();
    int left = columns->visualIndexAt(rightToLeft ? area.right() : area.left());
    int right = columns->visualIndexAt(rightToLeft ? area.left() : area.right());
    left = left < 0 ? 0 : left;
    right = right < 0 ? columns->count() - 1 : right;
    for (int visual = left; visual <= right; ++visual) {
        const int column = columns->logicalIndex(visual);
        if (columns->isSectionHidden(column)) {
            continue;
        }
        int x = columnViewportPosition(column);
        if (!rightToLeft) {
            x += columnWidth(column) - 1;
        }
        painter.fillRect(QRect(x, area.top(), 1, area.height()), color);
    }
}
