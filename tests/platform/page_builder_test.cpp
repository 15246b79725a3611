#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/colour_ref.h"
#include "platform/page_builder.h"
#include "platform/template_page.h"

using templates::ControlKind;
using templates::DialogTemplate;

namespace {

DialogTemplate SampleTemplate() {
    DialogTemplate dialog;
    dialog.id = 9999;
    dialog.width = 200;
    dialog.height = 100;
    dialog.controls = {
        {10, ControlKind::Label, "Fish && &Chips", 4, 4, 80, 8, templates::kNoStyle},
        {11, ControlKind::RadioButton, "A", 4, 16, 30, 10, templates::kGroup},
        {12, ControlKind::RadioButton, "B", 40, 16, 30, 10, templates::kNoStyle},
        {13, ControlKind::RadioButton, "C", 4, 28, 30, 10, templates::kGroup},
        {14, ControlKind::Edit, "", 4, 40, 60, 12, templates::kDisabled},
        {15, ControlKind::PushButton, "Hidden", 4, 56, 40, 14, templates::kHidden},
        {16, ControlKind::DropList, "", 80, 40, 60, 80, templates::kNoStyle},
        {templates::kStaticId, ControlKind::Label, "unnamed", 80, 4, 40, 8, templates::kNoStyle},
    };
    return dialog;
}

}  // namespace

TEST(PageBuilder, DialogUnitsScaleWithTheFont) {
    const platform::DialogUnits units{6, 13};
    const templates::ControlTemplate control{1, ControlKind::Label, "", 8, 16, 40, 8, 0};
    EXPECT_EQ(platform::ToPixels(units, control), QRect(12, 26, 60, 13));
}

TEST(PageBuilder, ControlsCarryTheirIdentifierAndStyle) {
    QWidget page;
    platform::BuildControls(SampleTemplate(), page);
    const platform::DialogUnits units = platform::DialogUnitsOf(page.font());
    EXPECT_EQ(page.size(), QSize(units.ToX(200), units.ToY(100)));
    ASSERT_NE(platform::FindControl<QLabel>(page, 10), nullptr);
    EXPECT_EQ(platform::FindControl<QLabel>(page, 10)->text(), "Fish & Chips");
    EXPECT_FALSE(platform::FindControl<QLineEdit>(page, 14)->isEnabled());
    EXPECT_TRUE(platform::FindControl<QPushButton>(page, 15)->isHidden());
    auto* combo = platform::FindControl<QComboBox>(page, 16);
    ASSERT_NE(combo, nullptr);
    EXPECT_FALSE(combo->isEditable());
    EXPECT_LT(combo->height(), units.ToY(80)) << "a closed drop-down keeps its own height";
    EXPECT_EQ(platform::FindControl(page, templates::kStaticId), nullptr);
}

TEST(PageBuilder, RadioGroupsStartAtGroupMarks) {
    QWidget page;
    platform::BuildControls(SampleTemplate(), page);
    auto* a = platform::FindControl<QRadioButton>(page, 11);
    auto* b = platform::FindControl<QRadioButton>(page, 12);
    auto* c = platform::FindControl<QRadioButton>(page, 13);
    ASSERT_TRUE(a && b && c);
    EXPECT_EQ(a->group(), b->group());
    EXPECT_NE(a->group(), c->group());
    a->setChecked(true);
    c->setChecked(true);
    EXPECT_TRUE(a->isChecked()) << "a separate group keeps its own choice";
    b->setChecked(true);
    EXPECT_FALSE(a->isChecked());
}

TEST(PageBuilder, StaticTextMnemonics) {
    EXPECT_EQ(platform::StaticText("VXIplug&&play"), "VXIplug&play");
    EXPECT_EQ(platform::StaticText("&Close"), "Close");
    EXPECT_EQ(platform::StaticText("a&"), "a");
}

TEST(ColourRef, ChannelsAndPaletteRelativeColours) {
    EXPECT_EQ(ToQColor(Rgb(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(ToQColor(0x02808000u), QColor(0, 128, 128)) << "teal, palette-relative";
    EXPECT_EQ(ToQColor(0x02FF0000u), QColor(0, 0, 255)) << "blue, palette-relative";
    EXPECT_EQ(FromQColor(QColor(192, 192, 192)), 0x00C0C0C0u);
}

namespace {

// Pixels clearly darker than the page's grey in a greyed radio button.
int DarkPixelsOfGreyedRadio(const QString& text) {
    QRadioButton radio(text);
    radio.setEnabled(false);
    radio.resize(80, 20);
    QImage image(radio.size(), QImage::Format_RGB32);
    radio.render(&image);
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            dark += qGray(image.pixel(x, y)) < 160 ? 1 : 0;
        }
    }
    return dark;
}

}  // namespace

// A greyed control must still be readable on the page's grey.
TEST(DialogColours, GreyedTextStaysVisibleOnThePageGrey) {
    const QPalette saved = QApplication::palette();
    platform::SetDialogColors();
    const int withText = DarkPixelsOfGreyedRadio(QStringLiteral("QUAR"));
    const int without = DarkPixelsOfGreyedRadio(QString());
    QApplication::setPalette(saved);
    EXPECT_GT(withText, without + 20);
}
