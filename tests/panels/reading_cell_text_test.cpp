#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <cmath>
#include <cstdio>

#include "app/reading_text.h"
#include "panels/measurement/reading_cell_text.h"
#include "panels/measurement/reading_glyphs.h"
#include "platform/page_builder.h"
#include "resources/dialog_template.h"

namespace {

// The grid's texts: readings of every size and sign, no reading, an
// infinity (not made of reading characters) and a stale cell.
QStringList CellTexts() {
    QStringList texts = {QStringLiteral("----"), QStringLiteral("inf"), QStringLiteral("-inf"),
                         QString(), QStringLiteral("0")};
    for (int exponent = -14; exponent <= 14; exponent += 2) {
        for (const double mantissa : {-9.87654321, -1.0, 0.5, 1.23456789, 7.1}) {
            char text[32];
            std::snprintf(text, sizeof text, "%g", mantissa * std::pow(10.0, exponent));
            texts << QString::fromLatin1(text);
        }
    }
    return texts;
}

QImage Blank() {
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(0xC0C0C0);
    return image;
}

// How the grid drew a cell before: a QStaticText centred in it.
QImage DrawnByStaticText(const QFont& font, const QPoint& origin, const QRect& cell,
                         const QString& text) {
    QImage image = Blank();
    QPainter painter(&image);
    painter.translate(origin);
    painter.setFont(font);
    painter.setPen(Qt::black);
    QStaticText laidOut(text);
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.prepare(QTransform(), font);
    const QSizeF size = laidOut.size();
    painter.drawStaticText(QPointF(cell.left() + (cell.width() - size.width()) / 2,
                                   cell.top() + (cell.height() - size.height()) / 2),
                           laidOut);
    return image;
}

}  // namespace

// One cell shows value after value; each must look exactly as before, in
// cells whose centres fall on whole and half pixels, and on a page drawn
// at an offset in its window.
TEST(ReadingCellTextTest, DrawsEveryTextAsTheTextLayoutDid) {
    const QFont font = platform::TemplateFont(platform::RequireTemplate(templates::kMainPanelPage));
    ASSERT_TRUE(ReadingGlyphs(font).Exact()) << "the page font takes the text layout's way";
    ReadingGlyphs glyphs;
    ReadingCellText cellText;
    const QRect cells[] = {QRect(50, 3, 75, 17), QRect(61, 4, 74, 16)};
    const QPoint origins[] = {QPoint(0, 0), QPoint(7, 3)};
    for (int i = 0; i < 2; ++i) {
        const QRect& cell = cells[i];
        for (const QString& text : CellTexts()) {
            QImage drawn = Blank();
            {
                QPainter painter(&drawn);
                painter.translate(origins[i]);
                painter.setFont(font);
                painter.setPen(Qt::black);
                cellText.Draw(painter, cell, text, glyphs);
            }
            EXPECT_EQ(drawn, DrawnByStaticText(font, origins[i], cell, text)) << text.toStdString();
        }
    }
}

// A new value repaints only the cell's changed part; drawn over the old
// value there, every pixel must be as if the whole cell were drawn anew.
TEST(ReadingCellTextTest, TheChangedPartRepaintedLooksAsTheWholeCellDrawn) {
    const QFont font = platform::TemplateFont(platform::RequireTemplate(templates::kMainPanelPage));
    ReadingGlyphs glyphs;
    ReadingCellText cellText;
    const QRect cell(61, 4, 74, 16);
    QImage shown = Blank();
    QString before;
    int partial = 0;
    for (int step = 0; step < 60; ++step) {
        const QString after =
            QString::fromStdString(ReadingText(0.3 + 0.9 * std::sin(step / 3.0) + step * 1e-5));
        const QRect changed = cellText.ChangedRect(cell, before, after, font, glyphs);
        ASSERT_TRUE(cell.contains(changed)) << after.toStdString();
        partial += changed != cell ? 1 : 0;
        QPainter painter(&shown);
        painter.setClipRect(changed);
        painter.setFont(font);
        painter.fillRect(cell, QColor(0xC0C0C0));
        cellText.Draw(painter, cell, after, glyphs);
        painter.end();
        EXPECT_EQ(shown, DrawnByStaticText(font, QPoint(), cell, after))
            << before.toStdString() << " -> " << after.toStdString();
        before = after;
    }
    EXPECT_GT(partial, 20) << "most values keep their leading digits";
}
