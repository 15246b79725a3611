#pragma once

#include "app/main_panel_state.h"
#include "app/panel.h"
#include "app/panel_page.h"

class CPan1Obj : public CPanel, public MainPanelState {
public:
    CPan1Obj();
    ~CPan1Obj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;
};

class CPan1Dlg : public PanelPage {
public:
    explicit CPan1Dlg(CPan1Obj& panel);

private:
    [[maybe_unused]] CPan1Obj& panel_;
};
