#pragma once

#include "app/panel.h"
#include "app/panel_page.h"

class CSfuncObj : public CPanel {
public:
    CSfuncObj();
    ~CSfuncObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;
};

class CSfuncDlg : public PanelPage {
public:
    explicit CSfuncDlg(CSfuncObj& panel);

private:
    [[maybe_unused]] CSfuncObj& panel_;
};
