#include "panels/algorithm/algorithm_panel.h"

#include "app/sfp_app.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

const RuntimeClass CAlgObj::kRuntimeClass{"CAlgObj", &CPanel::kRuntimeClass};

CAlgObj::CAlgObj() : CPanel(strings::LoadString(strings::kAlgorithmPanel)) {}
CAlgObj::~CAlgObj() = default;

const RuntimeClass& CAlgObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CAlgObj::Show() {
    window = new CAlgDlg(*this);
    App().currentPanel = this;
}

CAlgDlg::CAlgDlg(CAlgObj& panel) : PanelPage(templates::kAlgorithmPage), panel_(panel) {
    SetTitle(1530, strings::kAlgorithmPanel);
}
