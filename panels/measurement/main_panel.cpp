#include "panels/measurement/main_panel.h"

#include "app/sfp_app.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

const RuntimeClass CPan1Obj::kRuntimeClass{"CPan1Obj", &CPanel::kRuntimeClass};

CPan1Obj::CPan1Obj() : CPanel(strings::LoadString(strings::kMainPanel)) {
    App().readingMode.store(kReadingIdle);
}
CPan1Obj::~CPan1Obj() = default;

const RuntimeClass& CPan1Obj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CPan1Obj::Show() {
    window = new CPan1Dlg(*this);
    App().currentPanel = this;
}

CPan1Dlg::CPan1Dlg(CPan1Obj& panel) : PanelPage(templates::kMainPanelPage), panel_(panel) {
    SetTitle(1309, strings::kControllerTitle);
}
