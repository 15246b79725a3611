#pragma once
// The page of a panel: a child dialog built from the panel's template that
// sizes the main window to itself when it opens.

#include "platform/template_page.h"

class PanelPage : public platform::TemplatePage {
public:
    // Builds the page and hands it to the main window, which takes its size.
    explicit PanelPage(int templateId);

protected:
    // Writes `stringId` into the title frame `controlId` (teal, raised).
    void SetTitle(int controlId, int stringId);
};
