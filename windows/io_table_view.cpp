#include "windows/io_table_view.h"

#include <QHeaderView>
#include <QMetaMethod>

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
