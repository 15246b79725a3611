// Dialogs that belong to the controls layer: channel selector and progress dialogs.
#include "resources/template_sets.h"

namespace templates {

std::vector<DialogTemplate> ControlDialogTemplates() {
    return {};
}

}  // namespace templates
