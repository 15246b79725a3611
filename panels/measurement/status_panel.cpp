#include "panels/measurement/status_panel.h"

#include <QPainter>
#include <QPushButton>

#include "app/failure_scope.h"
#include "app/sfp_app.h"
#include "controls/framed_label.h"
#include "controls/panel_color.h"
#include "instrument/instrument_session.h"
#include "platform/wait_cursor.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

namespace {

constexpr int kTitle = 1018;
constexpr int kErrorQueueFrame = 1026;
constexpr int kStatusFrame = 1024;
constexpr int kQuestionableFrame = 1027;
constexpr int kReadErrorQueueButton = 1015;
constexpr int kErrorNumber = 1016;
constexpr int kErrorMessage = 1017;
constexpr int kReadStatusButton = 1020;
constexpr int kClearStatusButton = 1021;
constexpr int kStatusByte = 1022;
constexpr int kOpcButton = 1023;

struct QuestionableBit {
    int mask;
    int indicator;
};

// Read in this order, one register query per indicator.
constexpr std::array<QuestionableBit, CStatDlg::kIndicatorCount> kQuestionableBits{{
    {0x0100, 1037},  // Lost Cal
    {0x0200, 1030},  // Trg Fast
    {0x0400, 1031},  // FIFO Ovl
    {0x0800, 1032},  // Over Volt
    {0x1000, 1033},  // VME Ovl
    {0x2000, 1034},  // Setup
}};

InstrumentSession& Instrument() {
    return *App().instrument;
}

FramedLabel* AttachLabel(QWidget& page, int id, ColorRef background, bool raised) {
    auto* label = new FramedLabel(background, kBlack, PanelColor(panel_colors::kButtonShadow),
                                  PanelColor(panel_colors::kButtonHighlight), true);
    if (raised) {
        label->SwapEdgeColors();
    }
    label->Attach(page, id);
    return label;
}

FramedLabel* AttachValueField(QWidget& page, int id) {
    return AttachLabel(page, id, PanelColor(panel_colors::kWhite), false);
}

}  // namespace

// ---- CStatObj ----

const RuntimeClass CStatObj::kRuntimeClass{"CStatObj", &CPanel::kRuntimeClass};

CStatObj::CStatObj() : CPanel(strings::LoadString(strings::kStatusPanel)) {}
CStatObj::~CStatObj() = default;

const RuntimeClass& CStatObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CStatObj::Synchronize() {
    auto* page = static_cast<CStatDlg*>(window.data());
    if (page == nullptr) {
        return;
    }
    RunInFailureScope([page] { page->RefreshStatus(); }, QueuedErrors::Leave);
}

void CStatObj::Show() {
    window = PanelPage::Open<CStatDlg>(*this);
    App().currentPanel = this;
}

// ---- CStatDlg ----

CStatDlg::CStatDlg(CStatObj& panel) : PanelPage(templates::kStatusPage), panel_(panel) {
    CreateLabels();
    ConnectButtons();
    RunInFailureScope([this] { RefreshStatus(); }, QueuedErrors::Leave);
}

void CStatDlg::CreateLabels() {
    SetTitle(kTitle, strings::kStatusPanel);
    const ColorRef frame = PanelColor(panel_colors::kLightGrey);
    AttachLabel(*this, kErrorQueueFrame, frame, true);
    AttachLabel(*this, kStatusFrame, frame, true);
    AttachLabel(*this, kQuestionableFrame, frame, true);
    errorNumber_ = AttachValueField(*this, kErrorNumber);
    errorMessage_ = AttachValueField(*this, kErrorMessage);
    for (std::size_t i = 0; i < kQuestionableBits.size(); ++i) {
        indicators_[i] = AttachValueField(*this, kQuestionableBits[i].indicator);
    }
    statusByte_ = AttachValueField(*this, kStatusByte);
}

void CStatDlg::ConnectButtons() {
    const std::array<std::pair<int, void (CStatDlg::*)()>, 4> handlers{{
        {kReadErrorQueueButton, &CStatDlg::ReadErrorQueue},
        {kReadStatusButton, &CStatDlg::ReadStatus},
        {kClearStatusButton, &CStatDlg::ClearStatus},
        {kOpcButton, &CStatDlg::WaitForOperationComplete},
    }};
    for (const auto& [id, handler] : handlers) {
        connect(Item<QPushButton>(id), &QPushButton::clicked, this,
                [this, handler = handler] { (this->*handler)(); });
    }
}

void CStatDlg::RefreshStatus() {
    InstrumentSession& instrument = Instrument();
    for (std::size_t i = 0; i < kQuestionableBits.size(); ++i) {
        const int condition = instrument.QueryQuestionableCondition();
        const bool set = (condition & kQuestionableBits[i].mask) != 0;
        indicators_[i]->SetText(set ? QStringLiteral("1") : QStringLiteral("0"));
    }
    statusByte_->SetText(QString::number(instrument.QueryStatusByte()));
}

void CStatDlg::ReadErrorQueue() {
    // The error query does not raise; the scope only keeps a session that
    // does from unwinding through the event loop.
    RunInFailureScope([this] {
        int code = 0;
        const Text message = Instrument().QueryErrorQueue(code);
        errorNumber_->SetText(QString::number(code));
        errorMessage_->SetText(QString::fromStdString(message.value_or(std::string())));
    });
}

void CStatDlg::ReadStatus() {
    RunInFailureScope(
        [this] {
            RefreshStatus();
            statusByte_->SetText(QString::number(Instrument().QueryStatusByte()));
        },
        QueuedErrors::Leave);
}

void CStatDlg::ClearStatus() {
    RunInFailureScope(
        [this] {
            Instrument().ClearStatus();
            RefreshStatus();
        },
        QueuedErrors::Leave);
}

void CStatDlg::WaitForOperationComplete() {
    RunInFailureScope(
        [] {
            // Inside the scope, so that the cursor is back before a report opens.
            platform::WaitCursor waitCursor;
            InstrumentSession& instrument = Instrument();
            // An instrument that never completes ends the loop with a time-out.
            while (instrument.QueryOpc() == 0) {
            }
        },
        QueuedErrors::Leave);
}

void CStatDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(PanelColor(panel_colors::kLightGrey)));
}
