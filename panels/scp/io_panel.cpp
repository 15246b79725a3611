#include "panels/scp/io_panel.h"

#include "app/sfp_app.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

const RuntimeClass CIoObj::kRuntimeClass{"CIoObj", &CPanel::kRuntimeClass};

CIoObj::CIoObj() : CPanel(strings::LoadString(strings::kInputOutputPanel)) {}
CIoObj::~CIoObj() = default;

const RuntimeClass& CIoObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CIoObj::Show() {
    window = new CIoDlg(*this);
    App().currentPanel = this;
}

CIoDlg::CIoDlg(CIoObj& panel) : PanelPage(templates::kInputOutputPage), panel_(panel) {
    SetTitle(1531, strings::kInputOutputPanel);
}
