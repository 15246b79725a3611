#include "panels/scp/scp_map_panel.h"

#include "app/sfp_app.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

const RuntimeClass CConfObj::kRuntimeClass{"CConfObj", &CPanel::kRuntimeClass};

CConfObj::CConfObj() : CPanel(strings::LoadString(strings::kScpMap)) {}
CConfObj::~CConfObj() = default;

const RuntimeClass& CConfObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CConfObj::Show() {
    window = new CConfDlg(*this);
    App().currentPanel = this;
}

CConfDlg::CConfDlg(CConfObj& panel) : PanelPage(templates::kScpMapPage), panel_(panel) {
    SetTitle(1086, strings::kScpMap);
}
