#include "panels/measurement/trigger_panel.h"

#include "app/sfp_app.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

const RuntimeClass CTrigObj::kRuntimeClass{"CTrigObj", &CPanel::kRuntimeClass};

CTrigObj::CTrigObj() : CPanel(strings::LoadString(strings::kTriggerArmPanel)) {}
CTrigObj::~CTrigObj() = default;

const RuntimeClass& CTrigObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CTrigObj::Show() {
    window = new CTrigDlg(*this);
    App().currentPanel = this;
}

CTrigDlg::CTrigDlg(CTrigObj& panel) : PanelPage(templates::kTriggerPage), panel_(panel) {
    SetTitle(1065, strings::kTriggerArmPanel);
}
