#pragma once

#include "app/panel.h"
#include "app/panel_page.h"

class CTrigObj : public CPanel {
public:
    CTrigObj();
    ~CTrigObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;
};

class CTrigDlg : public PanelPage {
public:
    explicit CTrigDlg(CTrigObj& panel);

private:
    [[maybe_unused]] CTrigObj& panel_;
};
