// The pages of the measurement panels: main, status, trigger/arm and FIFO.
#include "resources/template_layout.h"
#include "resources/template_sets.h"

namespace templates {
namespace {

// clang-format off

// The CVT grid is painted below caption 1312 (two rows of text and 22 pixels),
// so nothing sits between the caption and the base-element row.
DialogTemplate MainPanelPage() {
    return ChildPage(kMainPanelPage, 372, 217, {
        {1000,      K::Frame,           "",             4,   2, 364, 24, kNoStyle},
        {1002,      K::Frame,           "",             8,   4,  32, 20, kNoStyle},
        {1309,      K::Frame,           "",            44,   7, 284, 14, kNoStyle},
        {1001,      K::Frame,           "",           332,   4,  32, 20, kNoStyle},
        {1006,      K::Frame,           "",             4,  32, 364, 26, kNoStyle},
        {kStaticId, K::Label,           "Instrument:", 12,  41,  42,  8, kNoStyle},
        {1011,      K::Frame,           "",            56,  39, 128, 12, kNoStyle},
        {1007,      K::Label,           "Slot:",      198,  41,  20,  8, kNoStyle},
        {1010,      K::Frame,           "",           220,  39,  30, 12, kNoStyle},
        {1004,      K::OwnerDrawButton, "",           314,  38,  14, 14, kNoTabStop},
        {kStaticId, K::Label,           "Active",     330,  41,  30,  8, kNoStyle},
        {1312,      K::Frame,           "",            10,  68, 352, 14, kNoStyle},
        {kStaticId, K::Label,           "Enter the base channel (10 - 502):", 10, 142, 112, 8, kNoStyle},
        {1072,      K::Edit,            "",           124, 140,  44, 12, kNoStyle},
        {1264,      K::PushButton,      "Take Reading", 118, 176, 64, 16, kNoStyle},
        {1358,      K::PushButton,      "Trigger",    190, 176,  64, 16, kDisabled},
        {1311,      K::PushButton,      "Abort",      298, 188,  64, 16, kHidden},
    });
}

DialogTemplate StatusPage() {
    return ChildPage(kStatusPage, 361, 201, {
        TitleFrame(1018, 361),
        {1026,      K::Frame,      "",                 4,  22, 353,  48, kNoStyle},
        {kStaticId, K::Label,      "Error",           12,  30,  40,   8, kNoStyle},
        {kStaticId, K::Label,      "Number",          96,  30,  40,   8, kNoStyle},
        {kStaticId, K::Label,      "Message",        144,  30,  60,   8, kNoStyle},
        {1015,      K::PushButton, "Read Error Queue", 12, 40,  76,  14, kNoStyle},
        {1016,      K::Frame,      "",                96,  41,  40,  12, kNoStyle},
        {1017,      K::Frame,      "",               144,  41, 205,  12, kNoStyle},
        {1024,      K::Frame,      "",                 4,  78, 353, 116, kNoStyle},
        {1027,      K::Frame,      "",                12,  86, 337,  52, kNoStyle},
        {kStaticId, K::Label,      "Quest Event",     20, 112,  48,   8, kNoStyle},
        {kStaticId, K::Label,      "Lost Cal",        72,  96,  40,   8, kCenter},
        {1037,      K::Frame,      "",                72, 108,  40,  12, kNoStyle},
        {kStaticId, K::Label,      "Trg Fast",       118,  96,  40,   8, kCenter},
        {1030,      K::Frame,      "",               118, 108,  40,  12, kNoStyle},
        {kStaticId, K::Label,      "FIFO Ovl",       164,  96,  40,   8, kCenter},
        {1031,      K::Frame,      "",               164, 108,  40,  12, kNoStyle},
        {kStaticId, K::Label,      "Over Volt",      210,  96,  40,   8, kCenter},
        {1032,      K::Frame,      "",               210, 108,  40,  12, kNoStyle},
        {kStaticId, K::Label,      "VME Ovl",        256,  96,  40,   8, kCenter},
        {1033,      K::Frame,      "",               256, 108,  40,  12, kNoStyle},
        {kStaticId, K::Label,      "Setup",          302,  96,  40,   8, kCenter},
        {1034,      K::Frame,      "",               302, 108,  40,  12, kNoStyle},
        {1020,      K::PushButton, "Read Staus",      20, 152,  60,  14, kNoStyle},
        {1021,      K::PushButton, "Clear Status",    88, 152,  60,  14, kNoStyle},
        {kStaticId, K::Label,      "Status Byte",    164, 155,  46,   8, kNoStyle},
        {1022,      K::Frame,      "",               212, 153,  40,  12, kNoStyle},
        {1023,      K::PushButton, "OPC?",           282, 152,  60,  14, kNoStyle},
    });
}

// The four hidden frames are the rectangles the knobs and levers draw in.
DialogTemplate TriggerPage() {
    return ChildPage(kTriggerPage, 361, 217, {
        TitleFrame(1065, 361),
        {1068, K::Frame,             "",                               4,  20, 112, 120, kHidden},
        {1067, K::Frame,             "",                             118,  20,  60, 120, kHidden},
        {1069, K::Frame,             "",                             182,  20, 112, 120, kHidden},
        {1070, K::Frame,             "",                             296,  20,  60, 120, kHidden},
        {1335, K::GroupBox,          "Trigger Timer .1 to 6553.6ms",   4, 150, 174,  38, kNoStyle},
        {1063, K::Edit,              "",                              14, 166,  70,  14, kNoStyle},
        {1064, K::VerticalScrollBar, "",                              84, 166,  10,  14, kNoStyle},
        {1340, K::GroupBox,          "Trigger count 1 to infinity", 182, 150, 174,  38, kNoStyle},
        {1339, K::Edit,              "",                             192, 166,  70,  14, kNoStyle},
        {1074, K::VerticalScrollBar, "",                             262, 166,  10,  14, kNoStyle},
        {1073, K::PushButton,        "Infinity",                     290, 166,  56,  14, kNoStyle},
        {1336, K::PushButton,        "Button2",                        4, 198,  50,  14, kHidden},
        {1338, K::PushButton,        "Button3",                       60, 198,  50,  14, kHidden},
        {1345, K::PushButton,        "Query",                        116, 198,  50,  14, kHidden},
    });
}

// The FIFO grid (four rows of text and 22 pixels) is painted below caption 1573.
DialogTemplate FifoPage() {
    return ChildPage(kFifoPage, 372, 217, {
        TitleFrame(1574, 372),
        {1573,      K::Frame,      "",                                10,  26, 352, 14, kNoStyle},
        {1575,      K::Frame,      "",                                10, 106, 172, 14, kNoStyle},
        {1576,      K::Frame,      "",                               190, 106, 172, 14, kNoStyle},
        {kStaticId, K::Label,      "Enter first reading to display:", 10, 140,  96,  8, kNoStyle},
        {1549,      K::Edit,       "",                               108, 138,  44, 12, kNoStyle},
        {1571,      K::PushButton, "Read Fifo",                      302, 136,  60, 16, kNoStyle},
    });
}

// clang-format on

}  // namespace

std::vector<DialogTemplate> MeasurementPageTemplates() {
    return {MainPanelPage(), StatusPage(), TriggerPage(), FifoPage()};
}

}  // namespace templates
