// The page of the algorithm panel.
#include "resources/template_layout.h"
#include "resources/template_sets.h"

namespace templates {
namespace {

// clang-format off

DialogTemplate AlgorithmPage() {
    return ChildPage(kAlgorithmPage, 369, 217, {
        TitleFrame(1530, 369),
        {kStaticId, K::GroupBox,          "Algorithm Editor",    4,  20, 361, 172, kNoStyle},
        {1072,      K::MultiLineEdit,     "",                   10,  32, 349, 134, kVerticalScroll},
        {1545,      K::PushButton,        "Open Algorithm...",  10, 172,  82,  14, kNoStyle},
        {1547,      K::PushButton,        "Save Algorithm...",  99, 172,  82,  14, kNoStyle},
        {1550,      K::PushButton,        "Scalar vars...",    188, 172,  82,  14, kNoStyle},
        {1554,      K::PushButton,        "Array vars...",     277, 172,  82,  14, kNoStyle},
        {1546,      K::PushButton,        "Down Load...",       10, 198,  82,  14, kNoStyle},
        {1073,      K::PushButton,        "Down Load File...",  99, 198,  82,  14, kNoStyle},
        {1,         K::DefaultPushButton, "",                  277, 198,  82,  14, kHidden},
    });
}

// clang-format on

}  // namespace

std::vector<DialogTemplate> AlgorithmPageTemplates() {
    return {AlgorithmPage()};
}

}  // namespace templates
