// Popup dialogs of the shell and the panels.
#include "resources/template_layout.h"
#include "resources/template_sets.h"

namespace templates {
namespace {

// clang-format off

DialogTemplate AboutDialog() {
    return Popup(kAboutDialog, "About qot7720 Sfp", 250, 134, {
        {kStaticId, K::Icon,  "",                                  10,  10,  21, 20, kNoStyle},
        {kStaticId, K::Label, "qot7720 Soft Front Panel",          40,  10, 200,  8, kNoStyle},
        {kStaticId, K::Label, "VERSION:  A.02.05",                 40,  22, 200,  8, kNoStyle},
        {kStaticId, K::Label, "VXIplug&&play driver revison required:  A.02.00 or greater",
                                                                   40,  34, 200,  8, kNoStyle},
        {kStaticId, K::Label, "Win32 VISA required",               40,  46, 200,  8, kNoStyle},
        {kStaticId, K::Label, "Internal Flash driver version A.02.00 or greater",
                                                                   40,  58, 200,  8, kNoStyle},
        {kStaticId, K::Label, "Found:",                            40,  74, 200,  8, kNoStyle},
        {kAboutDriverRevisionLine,   K::Label, "",                 48,  86, 192,  8, kNoStyle},
        {kAboutFirmwareRevisionLine, K::Label, "",                 48,  98, 192,  8, kNoStyle},
        {1,         K::DefaultPushButton, "OK",                   100, 114,  50, 14, kNoStyle},
    });
}

DialogTemplate SelectInstrumentDialog() {
    return Popup(kSelectInstrumentDialog, "Select Instrument", 186, 62, {
        {kStaticId, K::Label,             "Instruments found:",  7,  7, 120,  8, kNoStyle},
        {1042,      K::DropList,          "",                    7, 18, 172, 80, kVerticalScroll},
        {1,         K::DefaultPushButton, "OK",                 74, 41,  50, 14, kNoStyle},
        {2,         K::PushButton,        "Cancel",            129, 41,  50, 14, kNoStyle},
    });
}

DialogTemplate TriggerWaitDialog() {
    return Popup(kTriggerWaitDialog, "Trigger wait", 169, 52, {
        {kStaticId, K::Label,      "Waiting on Trigger ...", 7,  5, 155,  8, kNoStyle},
        {kStaticId, K::Label,
         "If Trigger mode is HOLD the 'Trigger' button will trigger a measurment.",
                                                             7, 15, 155, 16, kNoStyle},
        {1073,      K::PushButton, "Abort measurment",      51, 34,  67, 14, kNoStyle},
    });
}

// The three algorithm dialogs have no Cancel button: the close box or Escape cancels.
DialogTemplate AlgorithmDownloadDialog() {
    return Popup(kAlgorithmDownloadDialog, "Down Load", 209, 95, {
        {kStaticId, K::Label,             "Algorithm name:",                           7,  9,  60, 8, kNoStyle},
        {1072,      K::Edit,              "",                                         70,  7, 132, 12, kNoStyle},
        {kStaticId, K::Label,             "Swap size (0 means don't send swapsize):",  7, 27, 136, 8, kNoStyle},
        {1549,      K::Edit,              "",                                        146, 25,  56, 12, kNoStyle},
        {1444,      K::CheckBox,          "Do ALG:UPDATE",                             7, 45,  80, 10, kNoStyle},
        {1,         K::DefaultPushButton, "OK",                                      152, 74,  50, 14, kNoStyle},
    });
}

DialogTemplate AlgorithmScalarDialog() {
    return Popup(kAlgorithmScalarDialog, "Set Scalar Variables", 187, 95, {
        {kStaticId, K::Label,             "Alg. Name:",      7,  9,  52,  8, kNoStyle},
        {1072,      K::Edit,              "",               62,  7, 118, 12, kNoStyle},
        {kStaticId, K::Label,             "Variable name:",  7, 27,  52,  8, kNoStyle},
        {1549,      K::Edit,              "",               62, 25, 118, 12, kNoStyle},
        {kStaticId, K::Label,             "Value:",          7, 45,  52,  8, kNoStyle},
        {1551,      K::Edit,              "",               62, 43, 118, 12, kNoStyle},
        {1552,      K::PushButton,        "Set Var",        74, 74,  50, 14, kNoStyle},
        {1,         K::DefaultPushButton, "OK",            130, 74,  50, 14, kNoStyle},
    });
}

DialogTemplate AlgorithmArrayDialog() {
    return Popup(kAlgorithmArrayDialog, "Set Array variables", 187, 95, {
        {kStaticId, K::Label,             "Alg. Name:",   7,  9,  52,  8, kNoStyle},
        {1072,      K::Edit,              "",            62,  7, 118, 12, kNoStyle},
        {kStaticId, K::Label,             "Array Name:",  7, 27,  52,  8, kNoStyle},
        {1549,      K::Edit,              "",            62, 25, 118, 12, kNoStyle},
        {kStaticId, K::Label,             "Values (comma separated, example: '1,2,3')",
                                                          7, 43, 173,  8, kNoStyle},
        {1551,      K::Edit,              "",             7, 53, 173, 12, kNoStyle},
        {1073,      K::PushButton,        "Set Var.",    74, 74,  50, 14, kNoStyle},
        {1,         K::DefaultPushButton, "OK",         130, 74,  50, 14, kNoStyle},
    });
}

// clang-format on

}  // namespace

std::vector<DialogTemplate> SystemDialogTemplates() {
    return {AboutDialog(),           SelectInstrumentDialog(),
            TriggerWaitDialog(),     AlgorithmDownloadDialog(),
            AlgorithmScalarDialog(), AlgorithmArrayDialog()};
}

}  // namespace templates
