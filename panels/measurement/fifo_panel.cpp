#include "panels/measurement/fifo_panel.h"

#include "app/sfp_app.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

const RuntimeClass CFifoObj::kRuntimeClass{"CFifoObj", &CPanel::kRuntimeClass};

CFifoObj::CFifoObj() : CPanel(strings::LoadString(strings::kFifoData)) {}
CFifoObj::~CFifoObj() = default;

const RuntimeClass& CFifoObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CFifoObj::ReleaseBuffer() {
    std::vector<double>().swap(values_);
}

void CFifoObj::Show() {
    window = new CFifoDlg(*this);
    App().currentPanel = this;
}

CFifoDlg::CFifoDlg(CFifoObj& panel) : PanelPage(templates::kFifoPage), panel_(panel) {
    SetTitle(1574, strings::kFifoData, kBlack);
}
