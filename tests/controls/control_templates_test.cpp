#include <gtest/gtest.h>

#include "resources/dialog_template.h"

namespace {

using templates::ControlKind;

struct ControlRow {
    int templateId;
    int controlId;
    ControlKind kind;
    const char* text;  // null: any
    bool hidden;
};

class ControlTemplateRows : public ::testing::TestWithParam<ControlRow> {};

TEST_P(ControlTemplateRows, HaveEveryControlWithItsKindAndVisibility) {
    const ControlRow& row = GetParam();
    const templates::DialogTemplate* dialog = templates::FindDialogTemplate(row.templateId);
    ASSERT_NE(dialog, nullptr);
    const templates::ControlTemplate* control = dialog->FindControl(row.controlId);
    ASSERT_NE(control, nullptr) << row.controlId;
    EXPECT_EQ(control->kind, row.kind) << row.controlId;
    if (row.text != nullptr) {
        EXPECT_EQ(control->text, row.text);
    }
    EXPECT_EQ((control->style & templates::kHidden) != 0, row.hidden) << row.controlId;
}

const char* const kBanks[] = {"100-107", "108-115", "116-123", "124-131",
                              "132-139", "140-147", "148-155", "156-163"};

std::vector<ControlRow> SelectorRows() {
    std::vector<ControlRow> rows = {
        {134, 1455, ControlKind::GroupBox, "Channel bank", false},
        {134, 1452, ControlKind::GroupBox, "Channel", false},
        {134, 1441, ControlKind::RadioButton, "Single Channel", true},
        {134, 1442, ControlKind::RadioButton, "Multiple channels", false},
        {134, 1443, ControlKind::RadioButton, "Manual Entry", false},
        {134, 1126, ControlKind::PushButton, "All Off", true},
        {134, 1127, ControlKind::PushButton, "All ON", true},
        {134, 1457, ControlKind::Label, "Enter Channels (example: '100,106,115:127' )", true},
        {134, 1072, ControlKind::Edit, nullptr, true},
        {126, 1346, ControlKind::Label, nullptr, false},
        {148, 1555, ControlKind::Label, nullptr, false},
    };
    for (int i = 0; i < 8; ++i) {
        rows.push_back({134, 1423 + i, ControlKind::RadioButton, kBanks[i], false});
        rows.push_back({134, 1432 + i, ControlKind::RadioButton, nullptr, false});
        rows.push_back({134, 1444 + i, ControlKind::CheckBox, nullptr, true});
    }
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Templates, ControlTemplateRows, ::testing::ValuesIn(SelectorRows()));

TEST(ChannelSelectorTemplate, IsASmallChildDialogFramedAsChannelSelection) {
    const templates::DialogTemplate* selector =
        templates::FindDialogTemplate(templates::kChannelSelector);
    ASSERT_NE(selector, nullptr);
    EXPECT_EQ(selector->width, 117);
    EXPECT_EQ(selector->height, 182);
    EXPECT_TRUE(selector->child);
    const auto& controls = selector->controls;
    EXPECT_TRUE(std::any_of(controls.begin(), controls.end(), [](const auto& control) {
        return control.kind == ControlKind::GroupBox && control.text == "Channel Selection";
    }));
    EXPECT_TRUE(std::any_of(controls.begin(), controls.end(), [](const auto& control) {
        return control.kind == ControlKind::GroupBox && control.text == "Channel Entry Mode";
    }));
    // Everything lies inside the template.
    for (const auto& control : controls) {
        EXPECT_LE(control.x + control.width, selector->width) << control.id;
        EXPECT_LE(control.y + control.height, selector->height) << control.id;
    }
}

TEST(ProgressTemplates, ArePopupsWithTheirTitles) {
    const auto* calibration = templates::FindDialogTemplate(templates::kCalibrationProgressDialog);
    const auto* selfTest = templates::FindDialogTemplate(templates::kSelfTestProgressDialog);
    ASSERT_NE(calibration, nullptr);
    ASSERT_NE(selfTest, nullptr);
    EXPECT_EQ(calibration->title, "Calibration in progress");
    EXPECT_EQ(selfTest->title, "Self Test in progress");
    EXPECT_FALSE(calibration->child);
    EXPECT_FALSE(selfTest->child);
}

}  // namespace
