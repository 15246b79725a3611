#pragma once

#include "app/panel.h"
#include "app/panel_page.h"

class CStatObj : public CPanel {
public:
    CStatObj();
    ~CStatObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;
};

class CStatDlg : public PanelPage {
public:
    explicit CStatDlg(CStatObj& panel);

private:
    [[maybe_unused]] CStatObj& panel_;
};
