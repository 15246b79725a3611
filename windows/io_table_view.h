#pragma once
// The I/O monitor's table. Rows arrive at its end, several a second during
// auto update, and the stock view lays itself out again and repaints every
// row in view on each insertion. Here an insertion at the end only grows the
// scroll range and repaints the new rows where they show, so that scrolling
// to them moves the rows already drawn instead of drawing them again. Its
// scroll bar repaints only when it would look different, and its grid is
// filled, a solid rectangle a line, where the stock view strokes each line
// pixel by pixel.

#include <QTableView>

class QColor;
class QPainter;

class IoTableView : public QTableView {
    Q_OBJECT

public:
    explicit IoTableView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    void doItemsLayout() override;

protected:
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void LayOutAppended();
    void FillGrid(QPainter& painter, const QColor& color, const QRect& area) const;

    QMetaObject::Connection aboutToInsert_;
    int appendedFrom_ = -1;  // the first new row while an insertion at the end is laid out
};
