#pragma once

#include "app/panel.h"
#include "app/panel_page.h"

class CSensObj : public CPanel {
public:
    CSensObj();
    ~CSensObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;
};

class CSensDlg : public PanelPage {
public:
    explicit CSensDlg(CSensObj& panel);

private:
    [[maybe_unused]] CSensObj& panel_;
};
