#include "panels/measurement/status_panel.h"

#include "app/sfp_app.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

const RuntimeClass CStatObj::kRuntimeClass{"CStatObj", &CPanel::kRuntimeClass};

CStatObj::CStatObj() : CPanel(strings::LoadString(strings::kStatusPanel)) {}
CStatObj::~CStatObj() = default;

const RuntimeClass& CStatObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CStatObj::Show() {
    window = new CStatDlg(*this);
    App().currentPanel = this;
}

CStatDlg::CStatDlg(CStatObj& panel) : PanelPage(templates::kStatusPage), panel_(panel) {
    SetTitle(1018, strings::kStatusPanel);
}
