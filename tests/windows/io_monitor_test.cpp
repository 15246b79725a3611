// The monitor's model over a record filled by hand, and the script it saves.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>

#include "windows/io_export.h"
#include "windows/io_monitor.h"
#include "windows/io_record_model.h"
#include "windows/io_row_delegate.h"
#include "windows/io_table_view.h"

namespace {

iorecord::IoEntry Call(std::string function, std::string sent, std::int32_t status = 0) {
    iorecord::IoEntry entry;
    entry.function = std::move(function);
    entry.sent = std::move(sent);
    entry.status = status;
    entry.origin = "Input/Output · Send All";
    return entry;
}

std::vector<iorecord::IoEntry> Rows(const IoRecordModel& model) {
    std::vector<iorecord::IoEntry> rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        rows.push_back(model.EntryAt(row).value_or(iorecord::IoEntry{}));
    }
    return rows;
}

// The region of each paint the table's rows get.
class PaintSpy : public QObject {
public:
    QRegion painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

// What the table shows after polls, on screen, is what a full repaint draws.
TEST(IoMonitor, NewRowsComeInOrderAtTheBottomAndAScrolledUpViewStaysPut) {
    iorecord::IoRecord record(1000);
    IoMonitor monitor(record, {}, {});
    int appended = 0;
    const auto append = [&](int count) {
        for (const int last = appended + count; appended < last; ++appended) {
            record.Append(Call("qot7720_cmd", "INIT " + std::to_string(appended)));
        }
        monitor.PollNow();
    };
    append(40);
    monitor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&monitor));
    auto* table = monitor.findChild<QTableView*>();
    QWidget* rows = table->viewport();
    const auto onScreen = [&] {
        QCoreApplication::processEvents();
        const QPoint at = rows->mapTo(&monitor, QPoint());
        return monitor.screen()
            ->grabWindow(monitor.winId(), at.x(), at.y(), rows->width(), rows->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    append(13);  // lays out what showing the window left pending
    onScreen();
    PaintSpy spy;
    rows->installEventFilter(&spy);
    append(13);
    const QImage shown = onScreen();
    EXPECT_LT(spy.painted.boundingRect().height(), rows->height()) << "only the new rows";
    EXPECT_EQ(shown, rows->grab().toImage().convertToFormat(QImage::Format_RGB32));
    QScrollBar* bar = table->verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());

    bar->setValue(5);
    append(13);
    EXPECT_EQ(bar->value(), 5);
    const QImage scrolledUp = onScreen();
    EXPECT_EQ(scrolledUp, rows->grab().toImage().convertToFormat(QImage::Format_RGB32));
    ASSERT_EQ(monitor.Model().rowCount(), appended);
    for (int row = 0; row < appended; ++row) {
        EXPECT_EQ(monitor.Model().EntryAt(row)->sent, "INIT " + std::to_string(row));
    }
}

// The monitor's table fills its grid itself: the same pixels as the stock
// table's lines, scrolled sideways and down too.
TEST(IoTableView, DrawsTheStockTablesGrid) {
    QStandardItemModel model(30, 4);
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column) {
            model.setData(model.index(row, column), QStringLiteral("r%1 c%2").arg(row).arg(column));
        }
    }
    IoTableView ours;
    QTableView stock;
    const auto shown = [&](QTableView& view) {
        view.setModel(&model);
        view.setItemDelegate(new IoRowDelegate(&view));
        view.resize(300, 200);
        view.setColumnWidth(1, 37);
        view.verticalScrollBar()->setValue(3);
        view.horizontalScrollBar()->setValue(20);
        return view.viewport()->grab().toImage();
    };
    const QImage image = shown(ours);
    EXPECT_EQ(image, shown(stock));
    EXPECT_EQ(ours.viewport()->grab(QRect(40, 30, 90, 50)).toImage(),
              stock.viewport()->grab(QRect(40, 30, 90, 50)).toImage());
}

// A cell shows the same pixels drawn the first time, kept, or copied; a long
// text is cut where the whole text would be.
TEST(IoRowDelegate, ACellLooksTheSameDrawnOnceKeptOrCopied) {
    const QString answer = "10 values: " + QStringLiteral("0.4183046, ").repeated(10);
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), answer);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 150, 20);
    option.font = QApplication::font();
    option.fontMetrics = QFontMetrics(option.font);
    option.palette = QApplication::palette();
    IoRowDelegate delegate;
    const auto draw = [&](bool byDelegate) {
        QImage image(option.rect.size(), QImage::Format_RGB32);
        image.fill(option.palette.color(QPalette::Base));
        QPainter painter(&image);
        painter.setPen(option.palette.color(QPalette::Text));
        const int top = (option.rect.height() - option.fontMetrics.height()) / 2;
        byDelegate ? delegate.paint(&painter, option, model.index(0, 0))
                   : painter.drawText(QPoint(3, top + option.fontMetrics.ascent()),
                                      option.fontMetrics.elidedText(answer, Qt::ElideRight, 144));
        return image;
    };
    const QImage whole = draw(false);
    const QImage first = draw(true);
    EXPECT_EQ(first, whole);
    EXPECT_EQ(draw(true), first) << "kept";
    EXPECT_EQ(draw(true), first) << "copied";
    for (int width = 1; width < 400; ++width) {
        ASSERT_EQ(IoRowDelegate::Shown(answer, option.fontMetrics, width),
                  option.fontMetrics.elidedText(answer, Qt::ElideRight, width))
            << width;
    }
}

TEST(IoRecordModel, FiltersPausesAndStaysWithinTheRecordsCapacity) {
    iorecord::IoRecord record(4);
    IoRecordModel model(record);
    record.Append(Call("qot7720_cmd", "INP:GAIN MAX,(@100)"));
    record.Append(Call("qot7720_cmdString_Q", "INP:GAIN? (@100)"));
    record.Append(
        Call("qot7720_cmd", ":FILT:FREQ 2,(@100)", static_cast<std::int32_t>(0xBFFC0D07)));
    model.Poll();
    ASSERT_EQ(model.rowCount(), 3);

    model.SetFilter("gain", false);
    EXPECT_EQ(model.rowCount(), 2);
    model.SetFilter("", true);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.EntryAt(0)->sent, ":FILT:FREQ 2,(@100)");
    EXPECT_TRUE(model.data(model.index(0, IoRecordModel::kStatus), Qt::ForegroundRole).isValid());

    model.SetFilter("", false);
    model.SetPaused(true);
    record.Append(Call("qot7720_cmd", "*CLS"));
    model.Poll();
    EXPECT_EQ(model.rowCount(), 3);
    model.SetPaused(false);
    record.Append(Call("qot7720_cmd", "*RST"));
    record.Append(Call("qot7720_cmd", "ABOR"));
    model.Poll();
    // The ring holds four: the model drops what the record has dropped.
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.EntryAt(0)->sent, ":FILT:FREQ 2,(@100)");
    EXPECT_EQ(model.EntryAt(3)->sent, "ABOR");

    model.ClearRows();
    record.Append(Call("qot7720_cmd", "INIT"));
    model.Poll();
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.EntryAt(0)->sent, "INIT");
}

TEST(IoExport, ScriptKeepsCommandsInOrderAndQueriesAsComments) {
    iorecord::IoRecord record(16);
    IoRecordModel model(record);
    record.Append(Call("qot7720_cmd", "INP:GAIN MAX,(@100)"));
    record.Append(Call("qot7720_cmdString_Q", "INP:GAIN? (@100)"));
    record.Append(Call("qot7720_cmd", "SYST:ERR?"));
    record.Append(Call("readCVT_Q", "first 0, count 10"));
    record.Append(Call("qot7720_cmd", "TRIG:SOUR IMM\n"));
    model.Poll();
    const QString script =
        ScriptText(Pointers(Rows(model)), {"1.2", "VXI0::24::INSTR", "2026-12-09"});
    EXPECT_EQ(script.toStdString(),
              "# qot7720-sfp 1.2 SCPI script\n# resource VXI0::24::INSTR\n# date 2026-12-09\n"
              "INP:GAIN MAX,(@100)\n# qot7720_cmdString_Q INP:GAIN? (@100)\n"
              "# qot7720_cmd SYST:ERR?\n# readCVT_Q first 0, count 10\nTRIG:SOUR IMM\n");
    const QString csv = CsvText(Pointers(Rows(model)));
    EXPECT_TRUE(csv.startsWith("Time,Duration,Origin,Call,Sent,Answer,Status\n"));
    EXPECT_TRUE(csv.contains(",\"INP:GAIN MAX,(@100)\","));
}
