#pragma once

#include "app/panel.h"
#include "app/panel_page.h"

class CAlgObj : public CPanel {
public:
    CAlgObj();
    ~CAlgObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;
};

class CAlgDlg : public PanelPage {
public:
    explicit CAlgDlg(CAlgObj& panel);

private:
    [[maybe_unused]] CAlgObj& panel_;
};
