// Popup dialogs of the shell and the panels.
#include "resources/template_sets.h"

namespace templates {

std::vector<DialogTemplate> SystemDialogTemplates() {
    DialogTemplate selectInstrument;
    selectInstrument.id = kSelectInstrumentDialog;
    selectInstrument.title = "Select Instrument";
    selectInstrument.width = 186;
    selectInstrument.height = 62;
    selectInstrument.child = false;
    selectInstrument.controls = {
        {kStaticId, ControlKind::Label, "Instruments found:", 7, 7, 120, 8, kNoStyle},
        {1042, ControlKind::DropList, "", 7, 18, 172, 80, kVerticalScroll},
        {1, ControlKind::DefaultPushButton, "OK", 74, 41, 50, 14, kNoStyle},
        {2, ControlKind::PushButton, "Cancel", 129, 41, 50, 14, kNoStyle},
    };
    return {selectInstrument};
}

}  // namespace templates
