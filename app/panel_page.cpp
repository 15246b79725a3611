#include "app/panel_page.h"

#include "app/sfp_app.h"
#include "controls/framed_label.h"
#include "controls/panel_color.h"
#include "resources/string_table.h"

PanelPage::PanelPage(int templateId)
    : platform::TemplatePage(templateId,
                             App().mainWindow != nullptr ? App().mainWindow->Widget() : nullptr) {
    if (App().mainWindow != nullptr) {
        App().mainWindow->AttachPage(*this);
    }
}

FramedLabel* PanelPage::SetTitle(int controlId, int stringId, ColorRef textColor) {
    auto* title = new FramedLabel(PanelColor(panel_colors::kTeal), textColor,
                                  PanelColor(panel_colors::kButtonShadow),
                                  PanelColor(panel_colors::kButtonHighlight), true);
    title->SwapEdgeColors();
    title->Attach(*this, controlId);
    title->SetText(strings::LoadString(stringId));
    return title;
}
