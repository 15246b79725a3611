#include "app/panel_page.h"

#include <QEvent>

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

namespace {

bool HeldUntilComplete(QEvent::Type type) {
    switch (type) {
        case QEvent::Paint:
        case QEvent::Timer:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool PanelPage::event(QEvent* event) {
    if (!complete_ && HeldUntilComplete(event->type())) {
        return true;
    }
    return platform::TemplatePage::event(event);
}

void PanelPage::MarkComplete() {
    complete_ = true;
    update();
}
