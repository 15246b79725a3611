#pragma once

#include "app/panel.h"
#include "app/panel_page.h"

class CConfObj : public CPanel {
public:
    CConfObj();
    ~CConfObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;
};

class CConfDlg : public PanelPage {
public:
    explicit CConfDlg(CConfObj& panel);

private:
    [[maybe_unused]] CConfObj& panel_;
};
