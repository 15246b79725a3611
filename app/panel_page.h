#pragma once
// The page of a panel: a child dialog built from the panel's template that
// sizes the main window to itself when it opens.

#include <utility>

#include "platform/colour_ref.h"
#include "platform/template_page.h"

class FramedLabel;

class PanelPage : public platform::TemplatePage {
public:
    // Builds the page and hands it to the main window, which takes its size.
    explicit PanelPage(int templateId);

    // The only way a panel builds its page. A failed opening query is reported
    // in a modal box whose event loop may paint or tick the page before its
    // constructor has made every part; until the constructor has returned the
    // page ignores paint, timer and input events.
    template <typename Page, typename... Args>
    static Page* Open(Args&&... args) {
        auto* page = new Page(std::forward<Args>(args)...);
        page->MarkComplete();
        return page;
    }

    bool Complete() const { return complete_; }

protected:
    // The raised teal title bar over template control `controlId`, showing
    // string `stringId`.
    FramedLabel* SetTitle(int controlId, int stringId, ColorRef textColor = kWhite);

    bool event(QEvent* event) override;

private:
    void MarkComplete();

    bool complete_ = false;
};
