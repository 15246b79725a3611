#pragma once
// The page of a panel: a child dialog built from the panel's template that
// sizes the main window to itself when it opens.

#include "platform/colour_ref.h"
#include "platform/template_page.h"

class FramedLabel;

class PanelPage : public platform::TemplatePage {
public:
    // Builds the page and hands it to the main window, which takes its size.
    explicit PanelPage(int templateId);

protected:
    // The raised teal title bar over template control `controlId`, showing
    // string `stringId`.
    FramedLabel* SetTitle(int controlId, int stringId, ColorRef textColor = kWhite);
};
