#include "panels/sense/sense_panel.h"

#include "app/sfp_app.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

const RuntimeClass CSensObj::kRuntimeClass{"CSensObj", &CPanel::kRuntimeClass};

CSensObj::CSensObj() : CPanel(strings::LoadString(strings::kSensePanel)) {}
CSensObj::~CSensObj() = default;

const RuntimeClass& CSensObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CSensObj::Show() {
    window = new CSensDlg(*this);
    App().currentPanel = this;
}

CSensDlg::CSensDlg(CSensObj& panel) : PanelPage(templates::kSensePage), panel_(panel) {
    SetTitle(1536, strings::kSensePanelTitle);
}
