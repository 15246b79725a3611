#include "panels/sense/sense_function_panel.h"

#include "app/sfp_app.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

const RuntimeClass CSfuncObj::kRuntimeClass{"CSfuncObj", &CPanel::kRuntimeClass};

CSfuncObj::CSfuncObj() : CPanel(strings::LoadString(strings::kSenseFunction)) {}
CSfuncObj::~CSfuncObj() = default;

const RuntimeClass& CSfuncObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CSfuncObj::Show() {
    window = new CSfuncDlg(*this);
    App().currentPanel = this;
}

CSfuncDlg::CSfuncDlg(CSfuncObj& panel) : PanelPage(templates::kSenseFunctionPage), panel_(panel) {
    SetTitle(1536, strings::kSenseFunction);
}
