#pragma once
// Turns a dialog template into Qt widgets. Every control carries its template
// identifier as object name ("1264"), which is how handlers and tests find it.

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include "resources/dialog_template.h"

namespace platform {

// The dynamic property that holds, on each control, the text of the label
// before it in its template: how the program names the control to the
// operator (the I/O record, reports).
constexpr const char* kControlLabelProperty = "controlLabel";

// Pixels per dialog unit come from the template font: a horizontal unit is a
// quarter of the average character width, a vertical unit an eighth of the
// character height.
struct DialogUnits {
    int baseX = 6;
    int baseY = 13;
    int ToX(int dlu) const { return dlu * baseX / 4; }
    int ToY(int dlu) const { return dlu * baseY / 8; }
};

QFont TemplateFont(const templates::DialogTemplate& dialog);
DialogUnits DialogUnitsOf(const QFont& font);
QRect ToPixels(const DialogUnits& units, const templates::ControlTemplate& control);
QSize TemplatePixelSize(const templates::DialogTemplate& dialog);

// A static text with Windows mnemonics: "&&" shows one ampersand, a single
// '&' only marks the mnemonic.
QString StaticText(const std::string& text);

// Creates every control of `dialog` as a child of `page`, sets the page font
// and fixes the page size to the template's.
void BuildControls(const templates::DialogTemplate& dialog, QWidget& page);

// The template of `id`; aborts with a clear message when the program refers to
// a template that does not exist (a build fault, never an operator error).
const templates::DialogTemplate& RequireTemplate(int id);

template <typename Control = QWidget>
Control* FindControl(const QWidget& page, int id) {
    return page.findChild<Control*>(QString::number(id));
}

}  // namespace platform
