// Checks of the page and dialog templates against the operator-visible facts
// the pages rely on: sizes, identifiers with their kinds and texts, radio
// groups, and a layout in which nothing hides anything else.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/page_builder.h"
#include "resources/dialog_template.h"

using templates::ControlKind;
using templates::ControlTemplate;
using templates::DialogTemplate;
using K = templates::ControlKind;

namespace {

constexpr unsigned kHidden = templates::kHidden;
constexpr unsigned kDisabled = templates::kDisabled;
constexpr unsigned kReadOnly = templates::kReadOnly;

struct TemplateSize {
    int id;
    int width;  // 0: free to choose
    int height;
    bool child;
    const char* title;  // caption of a popup, empty for pages
};

// clang-format off
const TemplateSize kSizes[] = {
    {103, 372, 217, true,  ""},
    {106, 361, 201, true,  ""},
    {109, 361, 217, true,  ""},
    {111, 372, 217, true,  ""},
    {123, 372, 217, true,  ""},
    {135, 374, 217, true,  ""},
    {137, 372, 217, true,  ""},
    {139, 372, 217, true,  ""},
    {141, 372, 212, true,  ""},
    {144, 369, 217, true,  ""},
    {100,   0,   0, false, "About qot7720 Sfp"},
    {107, 186,  62, false, "Select Instrument"},
    {128, 169,  52, false, "Trigger wait"},
    {145, 209,  95, false, "Down Load"},
    {146, 187,  95, false, "Set Scalar Variables"},
    {147, 187,  95, false, "Set Array variables"},
};

struct NamedControl {
    int templateId;
    int id;
    ControlKind kind;
    const char* text;  // null: not given
    unsigned style;    // hidden and disabled must match exactly; read-only must be set
};

const NamedControl kNamedControls[] = {
    // Main panel
    {103, 1000, K::Frame, nullptr, 0},
    {103, 1309, K::Frame, nullptr, 0},
    {103, 1002, K::Frame, nullptr, 0},
    {103, 1001, K::Frame, nullptr, 0},
    {103, 1006, K::Frame, nullptr, 0},
    {103, 1011, K::Frame, nullptr, 0},
    {103, 1007, K::Label, "Slot:", 0},
    {103, 1010, K::Frame, nullptr, 0},
    {103, 1004, K::OwnerDrawButton, nullptr, 0},
    {103, 1312, K::Frame, nullptr, 0},
    {103, 1072, K::Edit, nullptr, 0},
    {103, 1264, K::PushButton, "Take Reading", 0},
    {103, 1358, K::PushButton, "Trigger", kDisabled},
    {103, 1311, K::PushButton, "Abort", kHidden},
    // Status panel
    {106, 1018, K::Frame, nullptr, 0},
    {106, 1026, K::Frame, nullptr, 0},
    {106, 1015, K::PushButton, "Read Error Queue", 0},
    {106, 1016, K::Frame, nullptr, 0},
    {106, 1017, K::Frame, nullptr, 0},
    {106, 1024, K::Frame, nullptr, 0},
    {106, 1027, K::Frame, nullptr, 0},
    {106, 1037, K::Frame, nullptr, 0},
    {106, 1030, K::Frame, nullptr, 0},
    {106, 1031, K::Frame, nullptr, 0},
    {106, 1032, K::Frame, nullptr, 0},
    {106, 1033, K::Frame, nullptr, 0},
    {106, 1034, K::Frame, nullptr, 0},
    {106, 1020, K::PushButton, "Read Staus", 0},
    {106, 1021, K::PushButton, "Clear Status", 0},
    {106, 1022, K::Frame, nullptr, 0},
    {106, 1023, K::PushButton, "OPC?", 0},
    // Trigger/arm panel
    {109, 1065, K::Frame, nullptr, 0},
    {109, 1068, K::Frame, nullptr, kHidden},
    {109, 1067, K::Frame, nullptr, kHidden},
    {109, 1069, K::Frame, nullptr, kHidden},
    {109, 1070, K::Frame, nullptr, kHidden},
    {109, 1335, K::GroupBox, "Trigger Timer .1 to 6553.6ms", 0},
    {109, 1064, K::VerticalScrollBar, nullptr, 0},
    {109, 1063, K::Edit, nullptr, 0},
    {109, 1340, K::GroupBox, "Trigger count 1 to infinity", 0},
    {109, 1074, K::VerticalScrollBar, nullptr, 0},
    {109, 1339, K::Edit, nullptr, 0},
    {109, 1073, K::PushButton, "Infinity", 0},
    {109, 1336, K::PushButton, "Button2", kHidden},
    {109, 1338, K::PushButton, "Button3", kHidden},
    {109, 1345, K::PushButton, "Query", kHidden},
    // SCP map
    {111, 1086, K::Frame, nullptr, 0},
    {111, 1306, K::Frame, nullptr, 0},
    {111, 1356, K::Label, "Signal Conditioning Plug-on map", 0},
    {111, 1557, K::Edit, nullptr, kReadOnly},
    {111, 1558, K::Edit, nullptr, kReadOnly},
    {111, 1559, K::Edit, nullptr, kReadOnly},
    {111, 1560, K::Edit, nullptr, kReadOnly},
    {111, 1561, K::Edit, nullptr, kReadOnly},
    {111, 1562, K::Edit, nullptr, kReadOnly},
    {111, 1563, K::Edit, nullptr, kReadOnly},
    {111, 1564, K::Edit, nullptr, kReadOnly},
    // FIFO panel
    {123, 1574, K::Frame, nullptr, 0},
    {123, 1573, K::Frame, nullptr, 0},
    {123, 1549, K::Edit, nullptr, 0},
    {123, 1575, K::Frame, nullptr, 0},
    {123, 1576, K::Frame, nullptr, 0},
    {123, 1571, K::PushButton, "Read Fifo", 0},
    // Input/output panel
    {135, 1531, K::Frame, nullptr, 0},
    {135, 1530, K::Frame, nullptr, kHidden},
    {135, 1465, K::ComboBox, nullptr, 0},
    {135, 1466, K::ComboBox, nullptr, 0},
    {135, 1459, K::RadioButton, "ON", 0},
    {135, 1460, K::RadioButton, "OFF", 0},
    {135, 1461, K::RadioButton, "FLOAT", 0},
    {135, 1462, K::RadioButton, "WAGNER", 0},
    {135, 1463, K::RadioButton, "NORM", 0},
    {135, 1464, K::RadioButton, "INV", 0},
    {135, 1467, K::RadioButton, "MIN", 0},
    {135, 1468, K::RadioButton, "MAX", 0},
    {135, 1469, K::RadioButton, "ON", 0},
    {135, 1470, K::RadioButton, "OFF", 0},
    {135, 1471, K::RadioButton, "NORM", 0},
    {135, 1472, K::RadioButton, "INV", 0},
    {135, 1533, K::DropList, nullptr, 0},
    {135, 1477, K::RadioButton, "PASS", 0},
    {135, 1478, K::RadioButton, "ACT", 0},
    {135, 1479, K::RadioButton, "TRIG", 0},
    {135, 1480, K::RadioButton, "FTR", 0},
    {135, 1481, K::RadioButton, "SCP", 0},
    {135, 1482, K::RadioButton, "ALG", 0},
    {135, 1475, K::RadioButton, "ON", 0},
    {135, 1476, K::RadioButton, "OFF", 0},
    {135, 1534, K::DropList, nullptr, 0},
    {135, 1535, K::PushButton, "Send All", 0},
    {135, 1, K::DefaultPushButton, nullptr, kHidden},
    // Sense function panel
    {137, 1536, K::Frame, nullptr, 0},
    {137, 1530, K::Frame, nullptr, kHidden},
    {137, 1484, K::RadioButton, "Min", 0},
    {137, 1485, K::RadioButton, "Max", 0},
    {137, 1486, K::DropList, nullptr, 0},
    {137, 1487, K::DropList, nullptr, 0},
    {137, 1488, K::RadioButton, "FBEN", 0},
    {137, 1489, K::RadioButton, "FBP", 0},
    {137, 1490, K::RadioButton, "FPO", 0},
    {137, 1491, K::RadioButton, "HBEN", 0},
    {137, 1492, K::RadioButton, "HPO", 0},
    {137, 1493, K::RadioButton, "QUAR", 0},
    {137, 1494, K::DropList, nullptr, 0},
    {137, 1495, K::RadioButton, "RTD", 0},
    {137, 1496, K::RadioButton, "THER", 0},
    {137, 1497, K::RadioButton, "TC", 0},
    {137, 1498, K::DropList, nullptr, 0},
    {137, 1501, K::DropList, nullptr, 0},
    {137, 1537, K::RadioButton, "COND", 0},
    {137, 1538, K::RadioButton, "FREQ", 0},
    {137, 1539, K::RadioButton, "TOT", 0},
    {137, 1535, K::PushButton, "Send All", 0},
    // Sense panel
    {139, 1536, K::Frame, nullptr, 0},
    {139, 1530, K::GroupBox, nullptr, 0},
    {139, 1503, K::RadioButton, "THER", 0},
    {139, 1504, K::RadioButton, "RTD", 0},
    {139, 1498, K::DropList, nullptr, 0},
    {139, 1507, K::DropList, nullptr, 0},
    {139, 1072, K::Edit, nullptr, 0},
    {139, 1508, K::Edit, nullptr, 0},
    {139, 1509, K::Edit, nullptr, 0},
    {139, 1510, K::Edit, nullptr, 0},
    {139, 1511, K::Edit, nullptr, 0},
    {139, 1512, K::Edit, nullptr, 0},
    {139, 1513, K::RadioButton, "INIT", 0},
    {139, 1514, K::RadioButton, "TRIG", 0},
    {139, 1541, K::Edit, nullptr, 0},
    {139, 1535, K::PushButton, "Send All", 0},
    {139, 1, K::DefaultPushButton, nullptr, kHidden},
    // Source, calibration and miscellaneous panel
    {141, 1536, K::Frame, nullptr, 0},
    {141, 1530, K::GroupBox, nullptr, 0},
    {141, 1515, K::RadioButton, "ON", 0},
    {141, 1516, K::RadioButton, "OFF", 0},
    {141, 1519, K::RadioButton, "Condition", 0},
    {141, 1520, K::RadioButton, "Pulse", 0},
    {141, 1521, K::RadioButton, "Square", 0},
    {141, 1522, K::RadioButton, "ON", 0},
    {141, 1523, K::RadioButton, "OFF", 0},
    {141, 1524, K::Edit, nullptr, 0},
    {141, 1525, K::Edit, nullptr, 0},
    {141, 1529, K::Edit, nullptr, 0},
    {141, 1569, K::PushButton, "INP:THR?", 0},
    {141, 1570, K::Edit, nullptr, kReadOnly},
    {141, 1568, K::DropList, nullptr, 0},
    {141, 1526, K::PushButton, "CAL:TARE", 0},
    {141, 1544, K::PushButton, "CAL:TARE:RESET", 0},
    {141, 1543, K::PushButton, "CAL:STORE:TARE", 0},
    {141, 1556, K::PushButton, "*CAL?", 0},
    {141, 1567, K::PushButton, "CAL:STORE ADC", 0},
    {141, 1535, K::PushButton, "Send All", 0},
    {141, 1, K::DefaultPushButton, nullptr, kHidden},
    // Algorithm panel
    {144, 1530, K::Frame, nullptr, 0},
    {144, 1072, K::MultiLineEdit, nullptr, 0},
    {144, 1545, K::PushButton, "Open Algorithm...", 0},
    {144, 1547, K::PushButton, "Save Algorithm...", 0},
    {144, 1550, K::PushButton, "Scalar vars...", 0},
    {144, 1554, K::PushButton, "Array vars...", 0},
    {144, 1546, K::PushButton, "Down Load...", 0},
    {144, 1073, K::PushButton, "Down Load File...", 0},
    {144, 1, K::DefaultPushButton, nullptr, kHidden},
    // Popup dialogs
    {100, 1, K::DefaultPushButton, "OK", 0},
    {100, templates::kAboutDriverRevisionLine, K::Label, "", 0},
    {100, templates::kAboutFirmwareRevisionLine, K::Label, "", 0},
    {107, 1042, K::DropList, nullptr, 0},
    {107, 1, K::DefaultPushButton, "OK", 0},
    {107, 2, K::PushButton, "Cancel", 0},
    {128, 1073, K::PushButton, "Abort measurment", 0},
    {145, 1072, K::Edit, nullptr, 0},
    {145, 1549, K::Edit, nullptr, 0},
    {145, 1444, K::CheckBox, "Do ALG:UPDATE", 0},
    {145, 1, K::DefaultPushButton, "OK", 0},
    {146, 1072, K::Edit, nullptr, 0},
    {146, 1549, K::Edit, nullptr, 0},
    {146, 1551, K::Edit, nullptr, 0},
    {146, 1552, K::PushButton, "Set Var", 0},
    {146, 1, K::DefaultPushButton, "OK", 0},
    {147, 1072, K::Edit, nullptr, 0},
    {147, 1549, K::Edit, nullptr, 0},
    {147, 1551, K::Edit, nullptr, 0},
    {147, 1073, K::PushButton, "Set Var.", 0},
    {147, 1, K::DefaultPushButton, "OK", 0},
};

// Fixed texts of unnamed statics and group boxes, exactly as the operator reads them.
struct FixedText {
    int templateId;
    const char* text;
};

const FixedText kFixedTexts[] = {
    {103, "Instrument:"}, {103, "Active"}, {103, "Enter the base channel (10 - 502):"},
    {106, "Error"}, {106, "Number"}, {106, "Message"}, {106, "Quest Event"}, {106, "Status Byte"},
    {106, "Lost Cal"}, {106, "Trg Fast"}, {106, "FIFO Ovl"}, {106, "Over Volt"}, {106, "VME Ovl"},
    {106, "Setup"},
    {111, "Chans: 0-7:"}, {111, "Chans: 8-15:"}, {111, "Chans: 16-23:"}, {111, "Chans: 24-31:"},
    {111, "Chans: 32-39:"}, {111, "Chans: 40-47:"}, {111, "Chans: 48-55:"}, {111, "Chans: 56-63:"},
    {123, "Enter first reading to display:"},
    {135, "INPUT"}, {135, "OUTPUT"}, {135, ":FILT:FREQ"}, {135, ":GAIN:"},
    {135, ":FILT:LPASS:STATE"}, {135, ":LOW"}, {135, ":POL"}, {135, ":CUR:AMPL"},
    {135, ":CURR:STATE"}, {135, ":VOLT:AMPL"}, {135, ":TYPE"}, {135, ":TTLT:SOUR"},
    {135, ":TTLT:STATE"}, {135, "Line #:"},
    {137, "FUNC:RES"}, {137, "Excite Cur"}, {137, "Range"}, {137, "FUNC:STR"}, {137, "Bridge Type"},
    {137, "FUNC:TEMP"}, {137, "Type"}, {137, "SubType"}, {137, "FUNC:VOLT"}, {137, "FUNC:"},
    {139, "REF"}, {139, "Type"}, {139, "SubType"}, {139, "Range"}, {139, "REF:TEMP (-126 - 126 C)"},
    {139, "REF:CHAN (100-163)"}, {139, "STR:EXC (.01-99)"}, {139, "STR:GFACT (1-5)"},
    {139, "STR:POIS (.1-.5)"}, {139, "STR:UNST (-16 - 16)"}, {139, "TOT:RES:MODE"},
    {139, "APER (.001-1 Sec.)"},
    {141, "SOUR:FM"}, {141, "SOUR:FUNC"}, {141, "SOUR:PULM"}, {141, "PULS:PER(25e-6 - 7.8125e-3)"},
    {141, "PULS:WID (7.87e-6 - 7.8125e-3)"}, {141, "SAMP:TIM (1e-5 - 16.3825e-3 )"},
    {141, "INP:THReshold?"}, {141, "INP:DEBounce"},
    {144, "Algorithm Editor"},
    {100, "qot7720 Soft Front Panel"}, {100, "VERSION:  A.02.05"},
    {100, "VXIplug&&play driver revison required:  A.02.00 or greater"},
    {100, "Win32 VISA required"}, {100, "Internal Flash driver version A.02.00 or greater"},
    {100, "Found:"},
    {128, "Waiting on Trigger ..."},
    {128, "If Trigger mode is HOLD the 'Trigger' button will trigger a measurment."},
    {145, "Algorithm name:"}, {145, "Swap size (0 means don't send swapsize):"},
    {146, "Alg. Name:"}, {146, "Variable name:"}, {146, "Value:"},
    {147, "Alg. Name:"}, {147, "Array Name:"}, {147, "Values (comma separated, example: '1,2,3')"},
};

// Radio buttons that choose one setting together; every radio of a page is in one of these.
struct RadioGroups {
    int templateId;
    std::vector<std::vector<int>> groups;
};

const RadioGroups kRadioGroups[] = {
    {135, {{1459, 1460}, {1461, 1462}, {1463, 1464}, {1467, 1468}, {1469, 1470}, {1471, 1472},
           {1477, 1478}, {1479, 1480, 1481, 1482}, {1475, 1476}}},
    {137, {{1484, 1485}, {1488, 1489, 1490, 1491, 1492, 1493}, {1495, 1496, 1497},
           {1537, 1538, 1539}}},
    {139, {{1503, 1504}, {1513, 1514}}},
    {141, {{1515, 1516}, {1519, 1520, 1521}, {1522, 1523}}},
};
// clang-format on

const DialogTemplate& Template(int id) {
    const DialogTemplate* found = templates::FindDialogTemplate(id);
    if (found == nullptr) {
        ADD_FAILURE() << "template " << id << " is missing";
        static const DialogTemplate empty;
        return empty;
    }
    return *found;
}

bool HasText(const DialogTemplate& dialog, const std::string& text) {
    return std::any_of(dialog.controls.begin(), dialog.controls.end(), [&](const auto& c) {
        return (c.kind == K::Label || c.kind == K::GroupBox) && c.text == text;
    });
}

// True when `widget` is the Qt class the page builder makes for `kind`.
bool IsBuiltAs(const QWidget& widget, ControlKind kind) {
    switch (kind) {
        case K::Label:
        case K::Icon:
            return qobject_cast<const QLabel*>(&widget) != nullptr;
        case K::Frame:
        case K::OwnerDrawButton:
            return widget.metaObject() == &QFrame::staticMetaObject;
        case K::GroupBox:
            return qobject_cast<const QGroupBox*>(&widget) != nullptr;
        case K::PushButton: {
            const auto* button = qobject_cast<const QPushButton*>(&widget);
            return button != nullptr && !button->isDefault();
        }
        case K::DefaultPushButton: {
            const auto* button = qobject_cast<const QPushButton*>(&widget);
            return button != nullptr && button->isDefault();
        }
        case K::RadioButton:
            return qobject_cast<const QRadioButton*>(&widget) != nullptr;
        case K::CheckBox:
            return qobject_cast<const QCheckBox*>(&widget) != nullptr;
        case K::Edit:
            return qobject_cast<const QLineEdit*>(&widget) != nullptr;
        case K::MultiLineEdit:
            return qobject_cast<const QPlainTextEdit*>(&widget) != nullptr;
        case K::ComboBox:
        case K::DropList: {
            const auto* combo = qobject_cast<const QComboBox*>(&widget);
            return combo != nullptr && combo->isEditable() == (kind == K::ComboBox);
        }
        case K::ListBox:
            return qobject_cast<const QListWidget*>(&widget) != nullptr;
        case K::VerticalScrollBar: {
            const auto* bar = qobject_cast<const QScrollBar*>(&widget);
            return bar != nullptr && bar->orientation() == Qt::Vertical;
        }
    }
    return false;
}

std::string Describe(const QWidget& widget) {
    const QString name =
        widget.objectName().isEmpty() ? QStringLiteral("static") : widget.objectName();
    return name.toStdString() + " (" + widget.metaObject()->className() + ")";
}

// A group box or a plain frame may lie under the controls it surrounds.
bool IsBackdrop(const QWidget& widget) {
    return qobject_cast<const QGroupBox*>(&widget) != nullptr ||
           widget.metaObject() == &QFrame::staticMetaObject;
}

std::vector<QWidget*> BuiltControls(const QWidget& page) {
    const auto children = page.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    return {children.begin(), children.end()};
}

}  // namespace

TEST(DialogTemplates, EveryTemplateHasItsSize) {
    for (const TemplateSize& expected : kSizes) {
        SCOPED_TRACE(expected.id);
        const DialogTemplate& dialog = Template(expected.id);
        if (expected.width != 0) {
            EXPECT_EQ(dialog.width, expected.width);
            EXPECT_EQ(dialog.height, expected.height);
        }
        EXPECT_EQ(dialog.child, expected.child);
        EXPECT_EQ(dialog.title, expected.title);
        EXPECT_EQ(dialog.fontFamily, "MS Sans Serif");
        EXPECT_EQ(dialog.pointSize, 8);
        EXPECT_FALSE(dialog.controls.empty());
    }
}

TEST(DialogTemplates, NamedControlsHaveTheirKindTextAndStyle) {
    for (const NamedControl& expected : kNamedControls) {
        SCOPED_TRACE(::testing::Message() << expected.templateId << "/" << expected.id);
        const ControlTemplate* control = Template(expected.templateId).FindControl(expected.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(static_cast<int>(control->kind), static_cast<int>(expected.kind));
        if (expected.text != nullptr) {
            EXPECT_EQ(control->text, expected.text);
        }
        EXPECT_EQ(control->style & (kHidden | kDisabled), expected.style & (kHidden | kDisabled));
        if ((expected.style & kReadOnly) != 0) {
            EXPECT_NE(control->style & kReadOnly, 0u);
        }
    }
}

TEST(DialogTemplates, FixedTextsAreThereExactly) {
    for (const FixedText& expected : kFixedTexts) {
        EXPECT_TRUE(HasText(Template(expected.templateId), expected.text))
            << expected.templateId << ": \"" << expected.text << "\"";
    }
}

TEST(DialogTemplates, AboutAndAlgorithmDialogsHaveNoCancelButton) {
    for (const int id : {100, 145, 146, 147}) {
        for (const ControlTemplate& control : Template(id).controls) {
            EXPECT_NE(control.id, 2) << id;
            EXPECT_NE(control.text, "Cancel") << id;
        }
    }
}

TEST(DialogTemplates, IdentifiersAreUniqueWithinATemplate) {
    for (const TemplateSize& size : kSizes) {
        std::set<int> seen;
        for (const ControlTemplate& control : Template(size.id).controls) {
            if (control.id == templates::kStaticId) {
                continue;
            }
            EXPECT_TRUE(seen.insert(control.id).second)
                << size.id << ": identifier " << control.id << " appears twice";
        }
    }
}

TEST(DialogTemplates, EveryControlLiesInsideItsTemplate) {
    for (const TemplateSize& size : kSizes) {
        const DialogTemplate& dialog = Template(size.id);
        for (const ControlTemplate& c : dialog.controls) {
            // A drop-down's height includes its open list, which may reach past the dialog.
            const int shownHeight = (c.kind == K::ComboBox || c.kind == K::DropList)
                                        ? std::min(c.height, 14)
                                        : c.height;
            EXPECT_TRUE(c.x >= 0 && c.y >= 0 && c.width > 0 && c.height > 0 &&
                        c.x + c.width <= dialog.width && c.y + shownHeight <= dialog.height)
                << size.id << ": control " << c.id << " \"" << c.text << "\" at " << c.x << ","
                << c.y << " " << c.width << "x" << c.height;
        }
    }
}

// The SCP map is the one page whose layout is given control by control.
TEST(DialogTemplates, ScpMapKeepsItsGivenPlaces) {
    struct Place {
        int id;
        int x, y, width, height;
    };
    const DialogTemplate& map = Template(111);
    for (const Place& place :
         {Place{1086, 4, 2, 348, 14}, Place{1306, 4, 20, 346, 140}, Place{1356, 8, 24, 337, 8}}) {
        const ControlTemplate* control = map.FindControl(place.id);
        ASSERT_NE(control, nullptr) << place.id;
        EXPECT_EQ(QRect(control->x, control->y, control->width, control->height),
                  QRect(place.x, place.y, place.width, place.height))
            << place.id;
    }
    EXPECT_NE(map.FindControl(1356)->style & templates::kCenter, 0u) << "the heading is centred";
    const char* const rowLabels[] = {
        "Chans: 0-7:",   "Chans: 8-15:",  "Chans: 16-23:", "Chans: 24-31:",
        "Chans: 32-39:", "Chans: 40-47:", "Chans: 48-55:", "Chans: 56-63:"};
    for (int position = 0; position < 8; ++position) {
        SCOPED_TRACE(position);
        const int y = 40 + 15 * position;
        const auto label =
            std::find_if(map.controls.begin(), map.controls.end(),
                         [&](const auto& c) { return c.text == rowLabels[position]; });
        ASSERT_NE(label, map.controls.end());
        EXPECT_EQ(label->x, 10);
        EXPECT_EQ(label->width, 47);
        EXPECT_EQ(label->y, y);
        const ControlTemplate* field = map.FindControl(1557 + position);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->x, 60);
        EXPECT_EQ(field->width, 285);
        EXPECT_EQ(field->y, y);
    }
}

// The configuration pages place the 117 x 182 channel selector at their left
// edge, over control 1530; nothing but that control may sit in its area.
TEST(DialogTemplates, ChannelSelectorAreaIsFree) {
    for (const int id : {135, 137, 139, 141}) {
        SCOPED_TRACE(id);
        const DialogTemplate& dialog = Template(id);
        const ControlTemplate* area = dialog.FindControl(1530);
        ASSERT_NE(area, nullptr);
        EXPECT_LE(area->x, 8) << "at the left edge";
        const QRect selector(area->x, area->y, 117, 182);
        EXPECT_LE(selector.bottom() + 1, dialog.height);
        for (const ControlTemplate& c : dialog.controls) {
            if (c.id == 1530) {
                continue;
            }
            EXPECT_FALSE(selector.intersects(QRect(c.x, c.y, c.width, c.height)))
                << "control " << c.id << " \"" << c.text << "\" lies under the selector";
        }
    }
}

TEST(DialogTemplates, StatusBitLabelsStandAboveTheirIndicators) {
    const std::map<std::string, int> bits = {{"Lost Cal", 1037}, {"Trg Fast", 1030},
                                             {"FIFO Ovl", 1031}, {"Over Volt", 1032},
                                             {"VME Ovl", 1033},  {"Setup", 1034}};
    const DialogTemplate& status = Template(106);
    for (const auto& [text, indicatorId] : bits) {
        const auto label = std::find_if(status.controls.begin(), status.controls.end(),
                                        [&](const auto& c) { return c.text == text; });
        const ControlTemplate* indicator = status.FindControl(indicatorId);
        ASSERT_TRUE(label != status.controls.end() && indicator != nullptr) << text;
        EXPECT_LE(label->y + label->height, indicator->y) << text;
        EXPECT_GE(label->y + label->height, indicator->y - 6) << text << " is close above";
        EXPECT_LT(std::abs((label->x + label->width / 2) - (indicator->x + indicator->width / 2)),
                  4)
            << text << " is centred over its indicator";
    }
}

TEST(DialogTemplates, EveryTemplateBuildsIntoItsControls) {
    std::map<int, std::vector<const NamedControl*>> byTemplate;
    for (const NamedControl& named : kNamedControls) {
        byTemplate[named.templateId].push_back(&named);
    }
    for (const TemplateSize& size : kSizes) {
        SCOPED_TRACE(size.id);
        QWidget page;
        platform::BuildControls(Template(size.id), page);
        EXPECT_EQ(page.size(), platform::TemplatePixelSize(Template(size.id)));
        for (const NamedControl* named : byTemplate[size.id]) {
            const QWidget* widget = platform::FindControl(page, named->id);
            ASSERT_NE(widget, nullptr) << named->id;
            EXPECT_TRUE(IsBuiltAs(*widget, named->kind)) << Describe(*widget);
            EXPECT_EQ(widget->isHidden(), (named->style & kHidden) != 0) << named->id;
            EXPECT_EQ(widget->isEnabled(), (named->style & kDisabled) == 0) << named->id;
        }
    }
}

TEST(DialogTemplates, ReadOnlyFieldsAndFramesBuildAsDrawn) {
    QWidget map;
    platform::BuildControls(Template(111), map);
    const auto* frame = platform::FindControl<QFrame>(map, 1306);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->frameShape(), QFrame::Box) << "the black frame round the map is drawn";
    for (int id = 1557; id <= 1564; ++id) {
        ASSERT_NE(platform::FindControl<QLineEdit>(map, id), nullptr);
        EXPECT_TRUE(platform::FindControl<QLineEdit>(map, id)->isReadOnly()) << id;
    }
    QWidget source;
    platform::BuildControls(Template(141), source);
    ASSERT_NE(platform::FindControl<QLineEdit>(source, 1570), nullptr);
    EXPECT_TRUE(platform::FindControl<QLineEdit>(source, 1570)->isReadOnly());
    QWidget algorithm;
    platform::BuildControls(Template(144), algorithm);
    const auto* editor = platform::FindControl<QPlainTextEdit>(algorithm, 1072);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(editor->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST(DialogTemplates, RadioButtonsFormTheirGroups) {
    for (const RadioGroups& page : kRadioGroups) {
        SCOPED_TRACE(page.templateId);
        QWidget built;
        platform::BuildControls(Template(page.templateId), built);
        std::set<const QButtonGroup*> distinct;
        std::size_t listed = 0;
        for (const auto& group : page.groups) {
            const auto* first = platform::FindControl<QRadioButton>(built, group.front());
            ASSERT_NE(first, nullptr) << group.front();
            ASSERT_NE(first->group(), nullptr);
            EXPECT_TRUE(distinct.insert(first->group()).second)
                << group.front() << " shares its group with another setting";
            EXPECT_EQ(first->group()->buttons().size(), static_cast<int>(group.size()))
                << "group of " << group.front();
            for (const int id : group) {
                const auto* radio = platform::FindControl<QRadioButton>(built, id);
                ASSERT_NE(radio, nullptr) << id;
                EXPECT_EQ(radio->group(), first->group()) << id;
            }
            listed += group.size();
        }
        EXPECT_EQ(built.findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly).size(),
                  static_cast<qsizetype>(listed))
            << "every radio of the page belongs to a listed group";
    }
}

// As built, with the real heights of drop-downs: no control covers another,
// except a group box or frame lying behind what it surrounds.
TEST(DialogTemplates, BuiltControlsDoNotOverlap) {
    for (const TemplateSize& size : kSizes) {
        SCOPED_TRACE(size.id);
        QWidget page;
        platform::BuildControls(Template(size.id), page);
        const std::vector<QWidget*> controls = BuiltControls(page);
        for (const QWidget* control : controls) {
            EXPECT_TRUE(page.rect().contains(control->geometry())) << Describe(*control);
        }
        for (std::size_t i = 0; i < controls.size(); ++i) {
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
                const QRect a = controls[i]->geometry();
                const QRect b = controls[j]->geometry();
                if (!a.intersects(b)) {
                    continue;
                }
                const bool aHoldsB = a.contains(b) && IsBackdrop(*controls[i]);
                const bool bHoldsA = b.contains(a) && IsBackdrop(*controls[j]);
                EXPECT_TRUE(aHoldsB || bHoldsA)
                    << Describe(*controls[i]) << " overlaps " << Describe(*controls[j]);
            }
        }
    }
}

// What the operator reads is not cut off: labels wrap within their height,
// buttons, radios, check boxes and group boxes show their whole caption.
TEST(DialogTemplates, TextsFitTheirControls) {
    for (const TemplateSize& size : kSizes) {
        SCOPED_TRACE(size.id);
        QWidget page;
        platform::BuildControls(Template(size.id), page);
        const QFontMetrics metrics(page.font());
        const QStyle* style = page.style();
        const int indicator = style->pixelMetric(QStyle::PM_IndicatorWidth) +
                              style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
        for (const QWidget* control : BuiltControls(page)) {
            if (const auto* label = qobject_cast<const QLabel*>(control)) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height())
                    << label->text().toStdString();
                continue;
            }
            QString text;
            int room = control->width();
            if (const auto* radio = qobject_cast<const QRadioButton*>(control)) {
                text = radio->text();
                room -= indicator;
            } else if (const auto* check = qobject_cast<const QCheckBox*>(control)) {
                text = check->text();
                room -= indicator;
            } else if (const auto* button = qobject_cast<const QPushButton*>(control)) {
                text = button->text();
                room -= 2 * style->pixelMetric(QStyle::PM_ButtonMargin);
            } else if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
                text = group->title();
            }
            EXPECT_LE(metrics.horizontalAdvance(text), room) << text.toStdString();
        }
    }
}

// The main and FIFO pages paint their value grids right below a caption: from
// the caption's bottom + 2 down to rows x the height of "M" + 22 pixels, across
// the caption's width. No control may sit there.
TEST(DialogTemplates, PaintedGridAreasAreFree) {
    struct Grid {
        int templateId;
        int captionId;
        int rows;
    };
    for (const Grid& grid : {Grid{103, 1312, 2}, Grid{123, 1573, 4}}) {
        SCOPED_TRACE(grid.templateId);
        QWidget page;
        platform::BuildControls(Template(grid.templateId), page);
        const QWidget* caption = platform::FindControl(page, grid.captionId);
        ASSERT_NE(caption, nullptr);
        const int bottom = caption->geometry().bottom() + 1;
        const int textHeight = QFontMetrics(page.font()).boundingRect(QStringLiteral("M")).height();
        const QRect area(QPoint(caption->geometry().left(), bottom + 2),
                         QPoint(caption->geometry().right(), bottom + grid.rows * textHeight + 22));
        EXPECT_TRUE(page.rect().contains(area));
        for (const QWidget* control : BuiltControls(page)) {
            EXPECT_FALSE(control->geometry().intersects(area)) << Describe(*control);
        }
    }
}
