#include "resources/dialog_template.h"

#include <algorithm>

#include "resources/template_sets.h"

namespace templates {

const ControlTemplate* DialogTemplate::FindControl(int controlId) const {
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [controlId](const auto& c) { return c.id == controlId; });
    return found == controls.end() ? nullptr : &*found;
}

const std::vector<DialogTemplate>& AllDialogTemplates() {
    static const std::vector<DialogTemplate> all = [] {
        std::vector<DialogTemplate> collected = PageTemplates();
        for (auto&& group : {SystemDialogTemplates(), ControlDialogTemplates()}) {
            collected.insert(collected.end(), group.begin(), group.end());
        }
        return collected;
    }();
    return all;
}

const DialogTemplate* FindDialogTemplate(int id) {
    const auto& all = AllDialogTemplates();
    const auto found =
        std::find_if(all.begin(), all.end(), [id](const auto& t) { return t.id == id; });
    return found == all.end() ? nullptr : &*found;
}

}  // namespace templates
