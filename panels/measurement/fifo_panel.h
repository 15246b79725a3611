#pragma once

#include "app/panel.h"
#include "app/panel_page.h"

#include <vector>

class CFifoObj : public CPanel {
public:
    CFifoObj();
    ~CFifoObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Show() override;

    // Frees the values read from the FIFO (at shut-down).
    void ReleaseBuffer();
    const std::vector<double>& Values() const { return values_; }

private:
    std::vector<double> values_;
};

class CFifoDlg : public PanelPage {
public:
    explicit CFifoDlg(CFifoObj& panel);

private:
    [[maybe_unused]] CFifoObj& panel_;
};
