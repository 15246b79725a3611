#pragma once
// The SCP map: the identification of the plug-on in each of the eight
// positions, read afresh at every showing.

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
    static constexpr int kPositions = 8;
    static constexpr int kFirstRowField = 1557;

    explicit CConfDlg(CConfObj& panel);
    ~CConfDlg() override;

private:
    void ReadPositions();

    [[maybe_unused]] CConfObj& panel_;
};
