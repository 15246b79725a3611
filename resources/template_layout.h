#pragma once
// Shorthands shared by the files that write the templates as tables.

#include <string>
#include <utility>
#include <vector>

#include "resources/dialog_template.h"

namespace templates {

using K = ControlKind;

inline DialogTemplate ChildPage(int id, int width, int height,
                                std::vector<ControlTemplate> controls) {
    DialogTemplate page;
    page.id = id;
    page.width = width;
    page.height = height;
    page.child = true;
    page.controls = std::move(controls);
    return page;
}

inline DialogTemplate Popup(int id, std::string title, int width, int height,
                            std::vector<ControlTemplate> controls) {
    DialogTemplate dialog = ChildPage(id, width, height, std::move(controls));
    dialog.title = std::move(title);
    dialog.child = false;
    return dialog;
}

// The teal bar across the top of a page; the page writes its title into it.
inline ControlTemplate TitleFrame(int id, int pageWidth) {
    return {id, K::Frame, "", 4, 2, pageWidth - 8, 14, kNoStyle};
}

// Where the configuration pages embed the 117 x 182 channel selector (template
// 134): at the left edge, under the title bar, over control 1530.
constexpr int kSelectorAreaId = 1530;
constexpr int kSelectorX = 4;
constexpr int kSelectorY = 20;
constexpr int kSelectorWidth = 117;
constexpr int kSelectorHeight = 182;

}  // namespace templates
