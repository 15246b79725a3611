#pragma once

#include "app/panel.h"
#include "app/panel_page.h"

class CIoObj : public CPanel {
public:
    CIoObj();
    ~CIoObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;
};

class CIoDlg : public PanelPage {
public:
    explicit CIoDlg(CIoObj& panel);

private:
    [[maybe_unused]] CIoObj& panel_;
};
