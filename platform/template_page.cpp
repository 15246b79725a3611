#include "platform/template_page.h"

#include <QApplication>
#include <QPalette>
#include <QPushButton>

#include "platform/colour_ref.h"

namespace platform {

TemplatePage::TemplatePage(int templateId, QWidget* parent)
    : QWidget(parent), templateId_(templateId) {
    setAutoFillBackground(true);
    BuildControls(RequireTemplate(templateId), *this);
}

TemplateDialog::TemplateDialog(int templateId, QWidget* parent)
    : QDialog(parent), templateId_(templateId) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls(RequireTemplate(templateId), *this);
    if (auto* ok = Item<QPushButton>(kOkButton)) {
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    }
    if (auto* cancel = Item<QPushButton>(kCancelButton)) {
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }
}

void SetDialogColors() {
    QPalette palette = QApplication::palette();
    const QColor grey = ToQColor(kLightGreyBrush);
    const QColor black = ToQColor(kBlack);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, grey);
        palette.setColor(group, QPalette::Button, grey);
        palette.setColor(group, QPalette::WindowText, black);
        palette.setColor(group, QPalette::ButtonText, black);
        palette.setColor(group, QPalette::Text, black);
    }
    // Greyed controls keep the page's background and show their text in a
    // darker grey; the style's own disabled text is all but the page's grey.
    const QColor greyText = ToQColor(kGreyText);
    palette.setColor(QPalette::Disabled, QPalette::Window, grey);
    palette.setColor(QPalette::Disabled, QPalette::Button, grey);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, greyText);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, greyText);
    palette.setColor(QPalette::Disabled, QPalette::Text, greyText);
    QApplication::setPalette(palette);
}

}  // namespace platform
