// The pages of the signal conditioning panels: SCP map and input/output.
#include "resources/template_layout.h"
#include "resources/template_sets.h"

namespace templates {
namespace {

// clang-format off

DialogTemplate ScpMapPage() {
    std::vector<ControlTemplate> controls = {
        {1086, K::Frame, "",                                4,  2, 348,  14, kNoStyle},
        {1306, K::Frame, "",                                4, 20, 346, 140, kBlackFrame},
        {1356, K::Label, "Signal Conditioning Plug-on map", 8, 24, 337,   8, kCenter},
    };
    const char* const rowLabels[] = {"Chans: 0-7:",   "Chans: 8-15:",  "Chans: 16-23:",
                                     "Chans: 24-31:", "Chans: 32-39:", "Chans: 40-47:",
                                     "Chans: 48-55:", "Chans: 56-63:"};
    for (int position = 0; position < 8; ++position) {
        const int y = 40 + 15 * position;
        controls.push_back({kStaticId, K::Label, rowLabels[position], 10, y, 47, 12, kCenterVertically});
        controls.push_back({1557 + position, K::Edit, "", 60, y, 285, 12, kReadOnly});
    }
    return ChildPage(kScpMapPage, 372, 217, std::move(controls));
}

// Each setting is a row: its command label, then its buttons or box.
DialogTemplate InputOutputPage() {
    return ChildPage(kInputOutputPage, 374, 217, {
        TitleFrame(1531, 374),
        {kSelectorAreaId, K::Frame, "", kSelectorX, kSelectorY, kSelectorWidth, kSelectorHeight, kHidden},
        {kStaticId, K::GroupBox,    "INPUT",             126,  20, 244,  66, kNoStyle},
        {kStaticId, K::Label,       ":FILT:FREQ",        132,  33,  56,   8, kNoStyle},
        {1465,      K::ComboBox,    "",                  192,  31,  64,  48, kVerticalScroll},
        {kStaticId, K::Label,       ":GAIN:",            262,  33,  26,   8, kNoStyle},
        {1466,      K::ComboBox,    "",                  290,  31,  64,  48, kVerticalScroll},
        {kStaticId, K::Label,       ":FILT:LPASS:STATE", 132,  49,  56,   8, kNoStyle},
        {1459,      K::RadioButton, "ON",                192,  48,  42,  10, kGroup},
        {1460,      K::RadioButton, "OFF",               236,  48,  42,  10, kNoStyle},
        {kStaticId, K::Label,       ":LOW",              132,  61,  56,   8, kNoStyle},
        {1461,      K::RadioButton, "FLOAT",             192,  60,  42,  10, kGroup},
        {1462,      K::RadioButton, "WAGNER",            236,  60,  42,  10, kNoStyle},
        {kStaticId, K::Label,       ":POL",              132,  73,  56,   8, kNoStyle},
        {1463,      K::RadioButton, "NORM",              192,  72,  42,  10, kGroup},
        {1464,      K::RadioButton, "INV",               236,  72,  42,  10, kNoStyle},
        {kStaticId, K::GroupBox,    "OUTPUT",            126,  90, 244, 104, kNoStyle},
        {kStaticId, K::Label,       ":CUR:AMPL",         132, 102,  56,   8, kNoStyle},
        {1467,      K::RadioButton, "MIN",               192, 101,  42,  10, kGroup},
        {1468,      K::RadioButton, "MAX",               236, 101,  42,  10, kNoStyle},
        {kStaticId, K::Label,       ":CURR:STATE",       132, 114,  56,   8, kNoStyle},
        {1469,      K::RadioButton, "ON",                192, 113,  42,  10, kGroup},
        {1470,      K::RadioButton, "OFF",               236, 113,  42,  10, kNoStyle},
        {kStaticId, K::Label,       ":POL",              132, 126,  56,   8, kNoStyle},
        {1471,      K::RadioButton, "NORM",              192, 125,  42,  10, kGroup},
        {1472,      K::RadioButton, "INV",               236, 125,  42,  10, kNoStyle},
        {kStaticId, K::Label,       ":TYPE",             132, 138,  56,   8, kNoStyle},
        {1477,      K::RadioButton, "PASS",              192, 137,  42,  10, kGroup},
        {1478,      K::RadioButton, "ACT",               236, 137,  42,  10, kNoStyle},
        {kStaticId, K::Label,       ":VOLT:AMPL",        132, 152,  56,   8, kNoStyle},
        {1533,      K::DropList,    "",                  192, 150,  64,  80, kVerticalScroll},
        {kStaticId, K::Label,       ":TTLT:SOUR",        132, 167,  56,   8, kNoStyle},
        {1479,      K::RadioButton, "TRIG",              192, 166,  42,  10, kGroup},
        {1480,      K::RadioButton, "FTR",               236, 166,  42,  10, kNoStyle},
        {1481,      K::RadioButton, "SCP",               280, 166,  42,  10, kNoStyle},
        {1482,      K::RadioButton, "ALG",               324, 166,  42,  10, kNoStyle},
        {kStaticId, K::Label,       ":TTLT:STATE",       132, 180,  56,   8, kNoStyle},
        {1475,      K::RadioButton, "ON",                192, 179,  42,  10, kGroup},
        {1476,      K::RadioButton, "OFF",               236, 179,  42,  10, kNoStyle},
        {kStaticId, K::Label,       "Line #:",           282, 180,  26,   8, kRight},
        {1534,      K::DropList,    "",                  310, 177,  40,  80, kVerticalScroll},
        {1535,      K::PushButton,  "Send All",          310, 198,  60,  14, kNoStyle},
        {1,         K::DefaultPushButton, "",            126, 198,  40,  14, kHidden},
    });
}

// clang-format on

}  // namespace

std::vector<DialogTemplate> ScpPageTemplates() {
    return {ScpMapPage(), InputOutputPage()};
}

}  // namespace templates
