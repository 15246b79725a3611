// Dialogs that belong to the controls layer: channel selector and progress dialogs.
#include "resources/template_sets.h"

namespace templates {
namespace {

// Two columns of four, top to bottom: the eight buttons of a bank.
void AddBankGrid(std::vector<ControlTemplate>& controls, int firstId, ControlKind kind,
                 const std::vector<std::string>& texts, int top, unsigned style) {
    for (int i = 0; i < 8; ++i) {
        const int x = i < 4 ? 14 : 60;
        const int y = top + (i % 4) * 11;
        controls.push_back(
            {firstId + i, kind, texts[static_cast<std::size_t>(i)], x, y, 42, 10, style});
    }
}

DialogTemplate ChannelSelector() {
    DialogTemplate selector;
    selector.id = kChannelSelector;
    selector.width = 117;
    selector.height = 182;
    selector.child = true;
    selector.controls = {
        {kStaticId, ControlKind::GroupBox, "Channel Selection", 2, 2, 113, 178, kNoStyle},
        {kStaticId, ControlKind::GroupBox, "Channel Entry Mode", 8, 11, 101, 33, kNoStyle},
        // Not visible: single-channel mode is reached only when a page asks for it.
        {1441, ControlKind::RadioButton, "Single Channel", 14, 21, 90, 10, kHidden | kGroup},
        {1442, ControlKind::RadioButton, "Multiple channels", 14, 21, 90, 10, kNoStyle},
        {1443, ControlKind::RadioButton, "Manual Entry", 14, 32, 90, 10, kNoStyle},
        {1455, ControlKind::GroupBox, "Channel bank", 8, 47, 101, 55, kNoStyle},
    };
    AddBankGrid(
        selector.controls, 1423, ControlKind::RadioButton,
        {"100-107", "108-115", "116-123", "124-131", "132-139", "140-147", "148-155", "156-163"},
        57, kNoStyle);
    selector.controls.push_back(
        {1452, ControlKind::GroupBox, "Channel", 8, 104, 101, 55, kNoStyle});
    // Placeholder texts: the selector labels them "Ch: %d" for the bank shown.
    const std::vector<std::string> placeholders(8, "Ch:");
    AddBankGrid(selector.controls, 1432, ControlKind::RadioButton, placeholders, 114, kNoStyle);
    AddBankGrid(selector.controls, 1444, ControlKind::CheckBox, placeholders, 114, kHidden);
    const std::vector<ControlTemplate> rest = {
        {1457, ControlKind::Label, "Enter Channels (example: '100,106,115:127' )", 14, 52, 90, 18,
         kHidden},
        {1072, ControlKind::Edit, "", 14, 74, 90, 12, kHidden},
        {1126, ControlKind::PushButton, "All Off", 14, 163, 42, 13, kHidden},
        {1127, ControlKind::PushButton, "All ON", 61, 163, 42, 13, kHidden},
    };
    selector.controls.insert(selector.controls.end(), rest.begin(), rest.end());
    return selector;
}

DialogTemplate ProgressDialog(int id, const std::string& title) {
    DialogTemplate dialog;
    dialog.id = id;
    dialog.title = title;
    dialog.width = 186;
    dialog.child = false;
    return dialog;
}

// The line that names what runs (kProgressOperationLine) heads both: the
// title bar alone is not always in view.
DialogTemplate CalibrationProgress() {
    DialogTemplate dialog = ProgressDialog(kCalibrationProgressDialog, "Calibration in progress");
    dialog.height = 42;
    dialog.controls = {
        {kProgressOperationLine, ControlKind::Label, "", 8, 8, 170, 10, kCenter},
        {1346, ControlKind::Label, "", 8, 24, 170, 10, kCenter},
    };
    return dialog;
}

// Cancel is shown while cancelling is possible.
DialogTemplate SelfTestProgress() {
    DialogTemplate dialog = ProgressDialog(kSelfTestProgressDialog, "Self Test in progress");
    dialog.height = 72;
    dialog.controls = {
        {kProgressOperationLine, ControlKind::Label, "", 8, 6, 170, 10, kCenter},
        {kStaticId, ControlKind::Label, "Self Test.  May take 5 or more minutes.", 8, 20, 170, 10,
         kCenter},
        {1555, ControlKind::Label, "", 8, 34, 170, 10, kCenter},
        {kProgressCancelButton, ControlKind::PushButton, "Cancel", 68, 52, 50, 14, kHidden},
    };
    return dialog;
}

}  // namespace

std::vector<DialogTemplate> ControlDialogTemplates() {
    return {CalibrationProgress(), ChannelSelector(), SelfTestProgress()};
}

}  // namespace templates
