#pragma once

#include "app/panel.h"
#include "app/panel_page.h"

class CSourObj : public CPanel {
public:
    CSourObj();
    ~CSourObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;
};

class CSourDlg : public PanelPage {
public:
    explicit CSourDlg(CSourObj& panel);

private:
    [[maybe_unused]] CSourObj& panel_;
};
