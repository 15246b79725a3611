// The ten panel pages.
#include "resources/template_sets.h"

namespace templates {
namespace {

DialogTemplate Page(int id, int width, int height, std::vector<ControlTemplate> controls) {
    DialogTemplate page;
    page.id = id;
    page.width = width;
    page.height = height;
    page.child = true;
    page.controls = std::move(controls);
    return page;
}

ControlTemplate TitleFrame(int id, int pageWidth) {
    return {id, ControlKind::Frame, "", 4, 2, pageWidth - 8, 14, kNoStyle};
}

}  // namespace

std::vector<DialogTemplate> PageTemplates() {
    return {
        Page(kMainPanelPage, 372, 217, {TitleFrame(1309, 372)}),
        Page(kStatusPage, 361, 201, {TitleFrame(1018, 361)}),
        Page(kTriggerPage, 361, 217, {TitleFrame(1065, 361)}),
        Page(kScpMapPage, 372, 217, {{1086, ControlKind::Frame, "", 4, 2, 348, 14, kNoStyle}}),
        Page(kInputOutputPage, 374, 217, {TitleFrame(1531, 374)}),
        Page(kSenseFunctionPage, 372, 217, {TitleFrame(1536, 372)}),
        Page(kSensePage, 372, 217, {TitleFrame(1536, 372)}),
        Page(kSourcePage, 372, 212, {TitleFrame(1536, 372)}),
        Page(kAlgorithmPage, 369, 217, {TitleFrame(1530, 369)}),
        Page(kFifoPage, 372, 217, {TitleFrame(1574, 372)}),
    };
}

}  // namespace templates
