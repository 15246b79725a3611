#pragma once
// The status panel: the error queue entry by entry, six bits of the
// questionable condition register, the status byte, clear status and
// operation complete. The page's own queries leave queued errors where they
// are, for Read Error Queue to show one per press.

#include <array>

#include "app/panel.h"
#include "app/panel_page.h"

class FramedLabel;

class CStatObj : public CPanel {
public:
    CStatObj();
    ~CStatObj() override;

    static const RuntimeClass kRuntimeClass;
    const RuntimeClass& GetRuntimeClass() const override;

    void Synchronize() override;
    void Show() override;
};

class CStatDlg : public PanelPage {
public:
    explicit CStatDlg(CStatObj& panel);

    // The six questionable indicators in register-bit order, as shown.
    static constexpr int kIndicatorCount = 6;

    // Reads the six bits and the status byte; raises on an instrument failure,
    // leaving the indicators already set as they are.
    void RefreshStatus();

    // The button handlers, each one user action.
    void ReadErrorQueue();
    void ReadStatus();
    void ClearStatus();
    void WaitForOperationComplete();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateLabels();
    void ConnectButtons();

    [[maybe_unused]] CStatObj& panel_;
    FramedLabel* errorNumber_ = nullptr;
    FramedLabel* errorMessage_ = nullptr;
    FramedLabel* statusByte_ = nullptr;
    std::array<FramedLabel*, kIndicatorCount> indicators_{};
};
