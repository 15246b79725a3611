#include "app/panel_page.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/sfp_app.h"
#include "platform/colour_ref.h"
#include "resources/string_table.h"

PanelPage::PanelPage(int templateId)
    : platform::TemplatePage(templateId,
                             App().mainWindow != nullptr ? App().mainWindow->Widget() : nullptr) {
    if (App().mainWindow != nullptr) {
        App().mainWindow->AttachPage(*this);
    }
}

void PanelPage::SetTitle(int controlId, int stringId) {
    auto* frame = Item<QFrame>(controlId);
    if (frame == nullptr) {
        return;
    }
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setLineWidth(2);
    frame->setAutoFillBackground(true);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, ToQColor(PaletteRgb(0, 128, 128)));
    palette.setColor(QPalette::WindowText, ToQColor(kWhite));
    frame->setPalette(palette);
    auto* label = new QLabel(strings::LoadString(stringId), frame);
    label->setObjectName(QStringLiteral("title"));
    label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->addWidget(label);
}
