#pragma once
// Dialog templates as declarative data: size in dialog units, font, and the
// controls with their identifiers. platform/page_builder turns them into widgets.

#include <string>
#include <vector>

namespace templates {

constexpr int kStaticId = -1;  // a control no code refers to

enum class ControlKind {
    Label,  // static text
    Frame,  // static rectangle, the anchor of a custom-drawn control
    GroupBox,
    PushButton,
    DefaultPushButton,
    RadioButton,
    CheckBox,
    Edit,
    MultiLineEdit,
    ComboBox,  // editable drop-down
    DropList,  // list-only drop-down
    ListBox,
    VerticalScrollBar,
    OwnerDrawButton,
    Icon,
};

// Style bits, combined with |.
enum Style : unsigned {
    kNoStyle = 0,
    kHidden = 1u << 0,
    kDisabled = 1u << 1,
    kCenter = 1u << 2,
    kRight = 1u << 3,
    kGroup = 1u << 4,  // starts a new radio group
    kReadOnly = 1u << 5,
    kSunken = 1u << 6,
    kVerticalScroll = 1u << 7,
    kHorizontalScroll = 1u << 8,
    kCenterVertically = 1u << 9,
    kNoTabStop = 1u << 10,
    kBlackFrame = 1u << 11,  // a frame: a 1-pixel black outline, nothing inside
};

struct ControlTemplate {
    int id = kStaticId;
    ControlKind kind = ControlKind::Label;
    std::string text;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    unsigned style = kNoStyle;
};

struct DialogTemplate {
    int id = 0;
    std::string title;  // caption of popup dialogs; empty for child pages
    int width = 0;      // dialog units
    int height = 0;
    bool child = true;  // a page embedded in the main window (or in another page)
    std::string fontFamily = "MS Sans Serif";
    int pointSize = 8;
    std::vector<ControlTemplate> controls;

    const ControlTemplate* FindControl(int controlId) const;
};

// The template with this number, or null when there is none.
const DialogTemplate* FindDialogTemplate(int id);

// Every template, for checks over the whole set.
const std::vector<DialogTemplate>& AllDialogTemplates();

// Template numbers used across the program.
constexpr int kAboutDialog = 100;
constexpr int kMainPanelPage = 103;
constexpr int kStatusPage = 106;
constexpr int kSelectInstrumentDialog = 107;
constexpr int kTriggerPage = 109;
constexpr int kScpMapPage = 111;
constexpr int kFifoPage = 123;
constexpr int kCalibrationProgressDialog = 126;
constexpr int kTriggerWaitDialog = 128;
constexpr int kChannelSelector = 134;
constexpr int kInputOutputPage = 135;
constexpr int kSenseFunctionPage = 137;
constexpr int kSensePage = 139;
constexpr int kSourcePage = 141;
constexpr int kAlgorithmPage = 144;
constexpr int kAlgorithmDownloadDialog = 145;
constexpr int kAlgorithmScalarDialog = 146;
constexpr int kAlgorithmArrayDialog = 147;
constexpr int kSelfTestProgressDialog = 148;
// Controls of both progress dialogs beside their status lines.
constexpr int kProgressOperationLine = 1556;
constexpr int kProgressCancelButton = 2;

// The two lines of the About dialog that are filled when it opens.
constexpr int kAboutDriverRevisionLine = 1012;
constexpr int kAboutFirmwareRevisionLine = 1013;

}  // namespace templates
