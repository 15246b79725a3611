#pragma once
// A child page and a popup dialog built from a dialog template.

#include <QDialog>
#include <QWidget>

#include "platform/page_builder.h"

namespace platform {

class TemplatePage : public QWidget {
public:
    TemplatePage(int templateId, QWidget* parent);

    int TemplateId() const { return templateId_; }

    template <typename Control = QWidget>
    Control* Item(int id) const {
        return FindControl<Control>(*this, id);
    }

private:
    int templateId_;
};

// Buttons 1 (OK) and 2 (Cancel) accept and reject the dialog, as on the home
// platform.
class TemplateDialog : public QDialog {
public:
    TemplateDialog(int templateId, QWidget* parent);

    int TemplateId() const { return templateId_; }

    template <typename Control = QWidget>
    Control* Item(int id) const {
        return FindControl<Control>(*this, id);
    }

private:
    int templateId_;
};

constexpr int kOkButton = 1;
constexpr int kCancelButton = 2;

// Sets the light grey background and black text of every dialog.
void SetDialogColors();

}  // namespace platform
