// The ten panel pages, gathered from the files of each subsystem.
#include "resources/template_sets.h"

namespace templates {

std::vector<DialogTemplate> PageTemplates() {
    std::vector<DialogTemplate> pages;
    for (auto&& group : {MeasurementPageTemplates(), ScpPageTemplates(), SensePageTemplates(),
                         AlgorithmPageTemplates()}) {
        pages.insert(pages.end(), group.begin(), group.end());
    }
    return pages;
}

}  // namespace templates
