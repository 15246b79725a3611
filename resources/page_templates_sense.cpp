// The pages of the sense and source panels: sense function, sense, and
// source/calibration/miscellaneous.
#include "resources/template_layout.h"
#include "resources/template_sets.h"

namespace templates {
namespace {

// Two columns of command groups to the right of the channel selector.
constexpr int kLeftColumn = 126;
constexpr int kRightColumn = 249;
constexpr int kColumnWidth = 119;

// A group box named after its command holding one text field.
std::vector<ControlTemplate> FieldGroup(const char* caption, int fieldId, int x, int y) {
    return {{kStaticId, K::GroupBox, caption, x, y, kColumnWidth, 30, kNoStyle},
            {fieldId, K::Edit, "", x + 6, y + 12, kColumnWidth - 12, 12, kNoStyle}};
}

std::vector<ControlTemplate> Join(std::initializer_list<std::vector<ControlTemplate>> parts) {
    std::vector<ControlTemplate> joined;
    for (const auto& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

// clang-format off

DialogTemplate SenseFunctionPage() {
    return ChildPage(kSenseFunctionPage, 372, 217, {
        TitleFrame(1536, 372),
        {kSelectorAreaId, K::Frame, "", kSelectorX, kSelectorY, kSelectorWidth, kSelectorHeight, kHidden},
        {kStaticId, K::GroupBox,    "FUNC:RES",    126,  20, 119,  50, kNoStyle},
        {kStaticId, K::Label,       "Excite Cur",  132,  34,  38,   8, kNoStyle},
        {1484,      K::RadioButton, "Min",         172,  33,  32,  10, kGroup},
        {1485,      K::RadioButton, "Max",         206,  33,  32,  10, kNoStyle},
        {kStaticId, K::Label,       "Range",       132,  52,  38,   8, kNoStyle},
        {1486,      K::DropList,    "",            172,  50,  66,  80, kVerticalScroll},
        {kStaticId, K::GroupBox,    "FUNC:STR",    126,  78, 119,  76, kNoStyle},
        {kStaticId, K::Label,       "Range",       132,  92,  38,   8, kNoStyle},
        {1487,      K::DropList,    "",            172,  90,  66,  80, kVerticalScroll},
        {kStaticId, K::Label,       "Bridge Type", 132, 110,  44,   8, kNoStyle},
        {1488,      K::RadioButton, "FBEN",        132, 122,  35,  10, kGroup},
        {1489,      K::RadioButton, "FBP",         169, 122,  35,  10, kNoStyle},
        {1490,      K::RadioButton, "FPO",         206, 122,  35,  10, kNoStyle},
        {1491,      K::RadioButton, "HBEN",        132, 136,  35,  10, kNoStyle},
        {1492,      K::RadioButton, "HPO",         169, 136,  35,  10, kNoStyle},
        {1493,      K::RadioButton, "QUAR",        206, 136,  35,  10, kNoStyle},
        {kStaticId, K::GroupBox,    "FUNC:TEMP",   249,  20, 119,  66, kNoStyle},
        {kStaticId, K::Label,       "Type",        255,  34,  22,   8, kNoStyle},
        {1495,      K::RadioButton, "RTD",         278,  33,  29,  10, kGroup},
        {1496,      K::RadioButton, "THER",        308,  33,  33,  10, kNoStyle},
        {1497,      K::RadioButton, "TC",          342,  33,  23,  10, kNoStyle},
        {kStaticId, K::Label,       "SubType",     255,  50,  32,   8, kNoStyle},
        {1498,      K::DropList,    "",            289,  48,  72, 100, kVerticalScroll},
        {kStaticId, K::Label,       "Range",       255,  68,  32,   8, kNoStyle},
        {1494,      K::DropList,    "",            289,  66,  72,  80, kVerticalScroll},
        {kStaticId, K::GroupBox,    "FUNC:VOLT",   249,  94, 119,  32, kNoStyle},
        {kStaticId, K::Label,       "Range",       255, 110,  32,   8, kNoStyle},
        {1501,      K::DropList,    "",            289, 108,  72,  80, kVerticalScroll},
        {kStaticId, K::GroupBox,    "FUNC:",       249, 134, 119,  28, kNoStyle},
        {1537,      K::RadioButton, "COND",        255, 147,  36,  10, kGroup},
        {1538,      K::RadioButton, "FREQ",        293, 147,  36,  10, kNoStyle},
        {1539,      K::RadioButton, "TOT",         331, 147,  32,  10, kNoStyle},
        {1535,      K::PushButton,  "Send All",    308, 188,  60,  14, kNoStyle},
    });
}

DialogTemplate SensePage() {
    return ChildPage(kSensePage, 372, 217, Join({
        {
            TitleFrame(1536, 372),
            {kSelectorAreaId, K::GroupBox, "", kSelectorX, kSelectorY, kSelectorWidth, kSelectorHeight, kNoStyle},
            {kStaticId, K::GroupBox,    "REF",     126, 20, 119, 62, kNoStyle},
            {kStaticId, K::Label,       "Type",    132, 32,  32,  8, kNoStyle},
            {1503,      K::RadioButton, "THER",    166, 31,  34, 10, kGroup},
            {1504,      K::RadioButton, "RTD",     202, 31,  34, 10, kNoStyle},
            {kStaticId, K::Label,       "SubType", 132, 48,  32,  8, kNoStyle},
            {1498,      K::DropList,    "",        166, 46,  72, 60, kVerticalScroll},
            {kStaticId, K::Label,       "Range",   132, 64,  32,  8, kNoStyle},
            {1507,      K::DropList,    "",        166, 62,  72, 80, kVerticalScroll},
        },
        FieldGroup("REF:TEMP (-126 - 126 C)", 1072, kLeftColumn,  86),
        FieldGroup("REF:CHAN (100-163)",      1508, kLeftColumn, 120),
        {
            {kStaticId, K::GroupBox,    "TOT:RES:MODE", 126, 154, 119, 28, kNoStyle},
            {1513,      K::RadioButton, "INIT",         132, 167,  40, 10, kGroup},
            {1514,      K::RadioButton, "TRIG",         176, 167,  40, 10, kNoStyle},
        },
        FieldGroup("STR:EXC (.01-99)",    1509, kRightColumn,  20),
        FieldGroup("STR:GFACT (1-5)",     1510, kRightColumn,  54),
        FieldGroup("STR:POIS (.1-.5)",    1511, kRightColumn,  88),
        FieldGroup("STR:UNST (-16 - 16)", 1512, kRightColumn, 122),
        FieldGroup("APER (.001-1 Sec.)",  1541, kRightColumn, 156),
        {
            {1535, K::PushButton,        "Send All", 308, 194, 60, 14, kNoStyle},
            {1,    K::DefaultPushButton, "",         126, 194, 40, 14, kHidden},
        },
    }));
}

DialogTemplate SourcePage() {
    return ChildPage(kSourcePage, 372, 212, Join({
        {
            TitleFrame(1536, 372),
            {kSelectorAreaId, K::GroupBox, "", kSelectorX, kSelectorY, kSelectorWidth, kSelectorHeight, kNoStyle},
            {kStaticId, K::GroupBox,    "SOUR:FM",        126, 20,  76, 28, kNoStyle},
            {1515,      K::RadioButton, "ON",             132, 33,  30, 10, kGroup},
            {1516,      K::RadioButton, "OFF",            164, 33,  32, 10, kNoStyle},
            {kStaticId, K::GroupBox,    "SOUR:FUNC",      206, 20, 162, 28, kNoStyle},
            {1519,      K::RadioButton, "Condition",      212, 33,  48, 10, kGroup},
            {1520,      K::RadioButton, "Pulse",          264, 33,  36, 10, kNoStyle},
            {1521,      K::RadioButton, "Square",         304, 33,  40, 10, kNoStyle},
            {kStaticId, K::GroupBox,    "SOUR:PULM",      126, 52,  76, 28, kNoStyle},
            {1522,      K::RadioButton, "ON",             132, 65,  30, 10, kGroup},
            {1523,      K::RadioButton, "OFF",            164, 65,  32, 10, kNoStyle},
            {kStaticId, K::GroupBox,    "INP:THReshold?", 206, 52, 162, 28, kNoStyle},
            {1569,      K::PushButton,  "INP:THR?",       212, 63,  50, 14, kNoStyle},
            {1570,      K::Edit,        "",               268, 64,  94, 12, kReadOnly},
        },
        FieldGroup("PULS:PER(25e-6 - 7.8125e-3)",    1524, kLeftColumn,  84),
        FieldGroup("PULS:WID (7.87e-6 - 7.8125e-3)", 1525, kRightColumn, 84),
        FieldGroup("SAMP:TIM (1e-5 - 16.3825e-3 )",  1529, kLeftColumn, 118),
        {
            {kStaticId, K::GroupBox,          "INP:DEBounce",   249, 118, 119,  30, kNoStyle},
            {1568,      K::DropList,          "",               255, 130, 107, 120, kVerticalScroll},
            {1526,      K::PushButton,        "CAL:TARE",       126, 158,  76,  14, kNoStyle},
            {1544,      K::PushButton,        "CAL:TARE:RESET", 209, 158,  76,  14, kNoStyle},
            {1543,      K::PushButton,        "CAL:STORE:TARE", 292, 158,  76,  14, kNoStyle},
            {1556,      K::PushButton,        "*CAL?",          126, 176,  76,  14, kNoStyle},
            {1567,      K::PushButton,        "CAL:STORE ADC",  209, 176,  76,  14, kNoStyle},
            {1535,      K::PushButton,        "Send All",       292, 194,  76,  14, kNoStyle},
            {1,         K::DefaultPushButton, "",               126, 194,  40,  14, kHidden},
        },
    }));
}

// clang-format on

}  // namespace

std::vector<DialogTemplate> SensePageTemplates() {
    return {SenseFunctionPage(), SensePage(), SourcePage()};
}

}  // namespace templates
