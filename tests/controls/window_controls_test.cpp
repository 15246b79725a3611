#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#include "controls/bitmap_label.h"
#include "controls/bitmap_resource.h"
#include "controls/framed_label.h"
#include "controls/lamp.h"
#include "controls/panel_color.h"
#include "platform/page_builder.h"

namespace {

const QRgb kUntouched = qRgb(1, 2, 3);

QImage Blank(const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kUntouched);
    return image;
}

QImage Render(const FramedLabel& label, const QSize& size) {
    QImage image = Blank(size);
    QPainter painter(&image);
    label.Paint(painter, size);
    return image;
}

QRgb Rgb32(ColorRef ref) {
    return ToQColor(ref).rgb();
}

// A page with one frame control 1309 at (10, 10, 60, 20) pixels' worth of units.
class TemplatePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        templates::DialogTemplate dialog;
        dialog.id = 9999;
        dialog.width = 200;
        dialog.height = 100;
        dialog.controls = {
            {1309, templates::ControlKind::Frame, "", 8, 8, 60, 14, templates::kNoStyle},
            {1004, templates::ControlKind::OwnerDrawButton, "", 80, 8, 20, 14, templates::kHidden},
        };
        platform::BuildControls(dialog, page);
        frameGeometry = platform::FindControl(page, 1309)->geometry();
    }

    QWidget page;
    QRect frameGeometry;
};

TEST(FramedLabelPaint, BevelledDrawsTwoPixelEdgesAndFillsTheInside) {
    const ColorRef background = Rgb(0, 128, 128);
    FramedLabel label(background, kBlack, Rgb(10, 20, 30), Rgb(200, 210, 220), true);
    const QImage image = Render(label, QSize(60, 24));
    // First edge along the left and top, second along the right and bottom,
    // each 2 pixels wide, 1 pixel in from the window's edge.
    for (const QPoint first : {QPoint(1, 12), QPoint(2, 12), QPoint(30, 1), QPoint(30, 2)}) {
        EXPECT_EQ(image.pixel(first), qRgb(10, 20, 30)) << first.x() << "," << first.y();
    }
    for (const QPoint second : {QPoint(57, 12), QPoint(58, 12), QPoint(30, 21), QPoint(30, 22)}) {
        EXPECT_EQ(image.pixel(second), qRgb(200, 210, 220)) << second.x() << "," << second.y();
    }
    EXPECT_EQ(image.pixel(30, 12), Rgb32(background));
    EXPECT_EQ(image.pixel(0, 12), kUntouched);
    EXPECT_EQ(image.pixel(59, 12), kUntouched);
}

TEST(FramedLabelPaint, SwappingTheEdgesRaisesIt) {
    FramedLabel label(kWhite, kBlack, PanelColor(2), PanelColor(3), true);
    label.SwapEdgeColors();
    const QImage image = Render(label, QSize(60, 24));
    EXPECT_EQ(image.pixel(1, 12), Rgb32(PanelColor(3)));
    EXPECT_EQ(image.pixel(58, 12), Rgb32(PanelColor(2)));
}

TEST(FramedLabelPaint, WithoutBevelNothingButTheTextIsDrawn) {
    FramedLabel label(kWhite, kBlack, kBlack, kBlack, false);
    const QImage image = Render(label, QSize(60, 24));
    for (const QPoint point : {QPoint(1, 12), QPoint(30, 12), QPoint(58, 22)}) {
        EXPECT_EQ(image.pixel(point), kUntouched);
    }
}

TEST(FramedTextOrigin, CentresWhereItFitsAndStartsAtZeroWhereNot) {
    const QRect area(2, 2, 56, 20);
    EXPECT_EQ(FramedTextOrigin(area, QSize(20, 10)), QPoint(20, 7));
    EXPECT_EQ(FramedTextOrigin(area, QSize(80, 10)), QPoint(0, 7));
    EXPECT_EQ(FramedTextOrigin(area, QSize(20, 30)), QPoint(20, 0));
}

TEST(FramedLabelPaint, TextIsCentredAndWideTextClippedToTheFrame) {
    FramedLabel label(kWhite, kBlack, kBlack, kBlack, true);
    label.SetText("I");
    QImage image = Render(label, QSize(60, 24));
    int left = 60;
    int right = -1;
    for (int x = 3; x < 57; ++x) {
        for (int y = 3; y < 21; ++y) {
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    ASSERT_GE(right, left);
    EXPECT_NEAR((left + right) / 2.0, 29.5, 3);
    // Text wider than the label starts at the window's left edge: its first
    // letters are clipped away, and nothing is drawn outside the frame.
    label.SetText(QString(40, QLatin1Char('W')));
    image = Render(label, QSize(60, 24));
    EXPECT_EQ(image.pixel(0, 12), kUntouched);
    EXPECT_EQ(image.pixel(59, 12), kUntouched);
}

TEST_F(TemplatePageTest, FramedLabelTakesThePlaceOfItsTemplateControl) {
    auto* label = new FramedLabel(kWhite, kBlack, PanelColor(2), PanelColor(3), true);
    ASSERT_TRUE(label->Attach(page, 1309));
    EXPECT_EQ(platform::FindControl<FramedLabel>(page, 1309), label);
    EXPECT_EQ(platform::FindControl<QFrame>(page, 1309), nullptr);
    EXPECT_EQ(label->geometry(), frameGeometry);
    EXPECT_EQ(label->parentWidget(), &page);
    EXPECT_EQ(label->font(), page.font());
    platform::FindControl<FramedLabel>(page, 1309)->SetText("CVT");
    EXPECT_EQ(label->Text(), "CVT");
}

TEST_F(TemplatePageTest, AttachingToAMissingControlFailsButThePageStillOwnsTheLabel) {
    auto* label = new FramedLabel(kWhite, kBlack, kBlack, kBlack, true);
    EXPECT_FALSE(label->Attach(page, 4242));
    EXPECT_EQ(label->parentWidget(), &page);
    EXPECT_TRUE(label->isHidden());
}

TEST_F(TemplatePageTest, LampKeepsTheHiddenStateOfItsButton) {
    auto* lamp = new Lamp(Rgb(0, 255, 0), 0xC0C0C0);
    ASSERT_TRUE(lamp->Attach(page, 1004));
    EXPECT_TRUE(lamp->isHidden());
    EXPECT_EQ(platform::FindControl<Lamp>(page, 1004), lamp);
}

TEST(LampDraw, BackgroundBevelledCircleAndDiscInTheLampColour) {
    const Lamp lamp(Rgb(0, 255, 0), 0xC0C0C0);
    QImage image = Blank(QSize(60, 40));
    {
        QPainter painter(&image);
        lamp.DrawItem(painter, QRect(0, 0, 60, 40));
    }
    EXPECT_EQ(image.pixel(30, 20), qRgb(0, 255, 0));  // the disc
    EXPECT_EQ(image.pixel(2, 2), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(image.pixel(57, 37), qRgb(0xC0, 0xC0, 0xC0));
    // The square is 40 x 40 at x 10; between disc and outline lies button face.
    EXPECT_EQ(image.pixel(30, 5), Rgb32(PanelColor(panel_colors::kButtonFace)));
    // Outline: shadow over the lower-right half, highlight over the upper-left.
    EXPECT_EQ(image.pixel(30, 39), Rgb32(PanelColor(panel_colors::kButtonShadow)));
    EXPECT_EQ(image.pixel(49, 20), Rgb32(PanelColor(panel_colors::kButtonShadow)));
    EXPECT_EQ(image.pixel(30, 0), Rgb32(PanelColor(panel_colors::kButtonHighlight)));
    EXPECT_EQ(image.pixel(10, 20), Rgb32(PanelColor(panel_colors::kButtonHighlight)));
}

TEST(BitmapResources, BothTitleLogosExist) {
    for (const int id : {bitmaps::kTitleLogoLeft, bitmaps::kTitleLogoRight}) {
        const QPixmap bitmap = LoadBitmapResource(id);
        ASSERT_FALSE(bitmap.isNull()) << id;
        EXPECT_LE(bitmap.height(), 20) << id;  // fits a title bar
    }
    EXPECT_TRUE(LoadBitmapResource(4242).isNull());
}

TEST_F(TemplatePageTest, BitmapLabelTakesTheBitmapsSizeOnItsFirstPaint) {
    auto* label = new BitmapLabel(bitmaps::kTitleLogoLeft);
    ASSERT_TRUE(label->Attach(page, 1309));
    const QPixmap bitmap = LoadBitmapResource(bitmaps::kTitleLogoLeft);
    QImage image = Blank(frameGeometry.size());
    label->render(&image);
    EXPECT_EQ(label->size(), bitmap.size());
    EXPECT_EQ(label->pos(), frameGeometry.topLeft());
    const QImage expected = bitmap.toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(bitmap.width() / 2, bitmap.height() / 2),
              expected.pixel(bitmap.width() / 2, bitmap.height() / 2));
}

struct ColourRow {
    int index;
    ColorRef colour;
};

class FixedPanelColours : public ::testing::TestWithParam<ColourRow> {};

TEST_P(FixedPanelColours, AreTheStockColours) {
    EXPECT_EQ(PanelColor(GetParam().index), GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(Table, FixedPanelColours,
                         ::testing::Values(ColourRow{0, 0xFFFFFF}, ColourRow{1, 0x000000},
                                           ColourRow{4, 0x404040}, ColourRow{5, 0x808080},
                                           ColourRow{6, 0xC0C0C0}, ColourRow{8, 0x02808000},
                                           ColourRow{9, 0xFFFFFF}, ColourRow{-1, 0xFFFFFF}));

// The button colours follow the platform's palette: shadow, highlight, face.
TEST(SystemPanelColours, FollowThePlatformPalette) {
    const QPalette saved = QApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Active, QPalette::Dark, QColor(11, 12, 13));
    palette.setColor(QPalette::Active, QPalette::Light, QColor(21, 22, 23));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(31, 32, 33));
    QApplication::setPalette(palette);
    EXPECT_EQ(PanelColor(panel_colors::kButtonShadow), Rgb(11, 12, 13));
    EXPECT_EQ(PanelColor(panel_colors::kButtonHighlight), Rgb(21, 22, 23));
    EXPECT_EQ(PanelColor(panel_colors::kButtonFace), Rgb(31, 32, 33));
    QApplication::setPalette(saved);
}

}  // namespace
