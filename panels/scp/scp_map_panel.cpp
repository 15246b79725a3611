#include "panels/scp/scp_map_panel.h"

#include <QLineEdit>
#include <QPalette>
#include <array>

#include "app/failure_scope.h"
#include "app/sfp_app.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

namespace {
constexpr int kHeading = 1356;
constexpr int kChannelsPerPosition = 8;
constexpr int kFirstChannel = 100;
}  // namespace

const RuntimeClass CConfObj::kRuntimeClass{"CConfObj", &CPanel::kRuntimeClass};

CConfObj::CConfObj() : CPanel(strings::LoadString(strings::kScpMap)) {}
CConfObj::~CConfObj() = default;

const RuntimeClass& CConfObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CConfObj::Show() {
    window = PanelPage::Open<CConfDlg>(*this);
    App().currentPanel = this;
}

CConfDlg::CConfDlg(CConfObj& panel) : PanelPage(templates::kScpMapPage), panel_(panel) {
    App().EnableSynchronize(false);
    SetTitle(1086, strings::kScpMap);
    if (auto* heading = Item(kHeading)) {
        QPalette palette = heading->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
        heading->setPalette(palette);
    }
    ReadPositions();
}

CConfDlg::~CConfDlg() {
    App().EnableSynchronize(true);
}

// One scope for all eight: the first failure is reported once and the
// positions from there on stay empty.
void CConfDlg::ReadPositions() {
    std::array<std::string, kPositions> texts;
    RunInFailureScope([&texts] {
        for (int position = 0; position < kPositions; ++position) {
            texts[static_cast<std::size_t>(position)] =
                App().instrument->QueryScpType(kFirstChannel + kChannelsPerPosition * position);
        }
    });
    for (int position = 0; position < kPositions; ++position) {
        if (auto* field = Item<QLineEdit>(kFirstRowField + position)) {
            field->setText(QString::fromStdString(texts[static_cast<std::size_t>(position)]));
        }
    }
}
