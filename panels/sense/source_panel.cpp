#include "panels/sense/source_panel.h"

#include "app/sfp_app.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

const RuntimeClass CSourObj::kRuntimeClass{"CSourObj", &CPanel::kRuntimeClass};

CSourObj::CSourObj() : CPanel(strings::LoadString(strings::kSourcePanel)) {}
CSourObj::~CSourObj() = default;

const RuntimeClass& CSourObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CSourObj::Show() {
    window = new CSourDlg(*this);
    App().currentPanel = this;
}

CSourDlg::CSourDlg(CSourObj& panel) : PanelPage(templates::kSourcePage), panel_(panel) {
    SetTitle(1536, strings::kSourcePanel);
}
