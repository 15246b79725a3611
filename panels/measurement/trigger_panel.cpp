#include "panels/measurement/trigger_panel.h"

#include <QCursor>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "app/failure_scope.h"
#include "app/sfp_app.h"
#include "controls/notify_message_event.h"
#include "controls/panel_color.h"
#include "controls/rotary_switch.h"
#include "controls/slide_switch.h"
#include "instrument/instrument_session.h"
#include "platform/operator_dialogs.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

namespace {

using namespace trigger_positions;

constexpr int kTitle = 1065;
constexpr int kTriggerSourceArea = 1068;
constexpr int kTriggerLineArea = 1067;
constexpr int kArmSourceArea = 1069;
constexpr int kArmLineArea = 1070;
constexpr int kTimerGroup = 1335;
constexpr int kTimerSpin = 1064;
constexpr int kTimerEdit = 1063;
constexpr int kCountGroup = 1340;
constexpr int kCountSpin = 1074;
constexpr int kCountEdit = 1339;
constexpr int kInfinityButton = 1073;
constexpr int kTimerApplyButton = 1336;
constexpr int kCountApplyButton = 1338;
constexpr int kRefreshButton = 1345;

constexpr int kTriggerSourceMessage = 1124;
constexpr int kTriggerLineMessage = 1125;
constexpr int kArmSourceMessage = 1126;
constexpr int kArmLineMessage = 1127;

constexpr double kKnobMarginDivisor = 3.5;
constexpr ColorRef kKnobTitleColor = 0x02FF0000u;
constexpr ColorRef kLeverTitleColor = 0xFF0000u;
constexpr ColorRef kLeverFace = 0xC0C0C0u;
constexpr ColorRef kCaptionBlue = 0x02FF0000u;
constexpr int kLeverStyle = SlideSwitch::kSunkenFrame | SlideSwitch::kDetents;

// The spin bars never move: their arrows only step the edit beside them.
constexpr int kSpinRest = 50;

InstrumentSession& Instrument() {
    return *App().instrument;
}

std::string Normalized(const Text& text) {
    return QString::fromStdString(text.value_or(std::string())).trimmed().toUpper().toStdString();
}

bool BeginsWithTtlt(const std::string& source) {
    return source.rfind("TTLT", 0) == 0;
}

// Opening: the exact texts; anything else is TTLT.
int OpeningTriggerPosition(const std::string& source) {
    static const std::pair<const char*, int> positions[] = {
        {"SCP", kScp},   {"IMM", kImmediate},       {"HOLD", kHold},
        {"TIM", kTimer}, {"EXT", kTriggerExternal}, {"BUS", kTriggerBus}};
    for (const auto& [text, position] : positions) {
        if (source == text) {
            return position;
        }
    }
    return kTtlt;
}

// The arm knob's position for an exact text, or null.
std::optional<int> ArmPosition(const std::string& source) {
    static const std::pair<const char*, int> positions[] = {{"SCP", kScp},
                                                            {"IMM", kImmediate},
                                                            {"HOLD", kHold},
                                                            {"EXT", kArmExternal},
                                                            {"BUS", kArmBus}};
    for (const auto& [text, position] : positions) {
        if (source == text) {
            return position;
        }
    }
    return std::nullopt;
}

// Refresh: the texts other than TTLT and TIM; anything else leaves the knob.
std::optional<int> RefreshTriggerPosition(const std::string& source) {
    static const std::pair<const char*, int> positions[] = {{"BUS", kTriggerBus},
                                                            {"EXT", kTriggerExternal},
                                                            {"HOLD", kHold},
                                                            {"IMM", kImmediate},
                                                            {"SCP", kScp}};
    for (const auto& [text, position] : positions) {
        if (source == text) {
            return position;
        }
    }
    return std::nullopt;
}

template <typename Switch>
void SetEnabled(Switch& control, bool enabled) {
    if (control.Enabled() != enabled) {
        control.Enable(enabled);
    }
}

QString CountText(const Text& text) {
    return QString::fromStdString(text.value_or(std::string()));
}

}  // namespace

std::string TriggerSourceText(int position, int line) {
    static const char* const texts[] = {"", "SCP", "IMM", "HOLD", "TIM", "EXT", "BUS"};
    if (position == kTtlt) {
        return "TTLT" + std::to_string(line);
    }
    return position > 0 && position <= kTriggerBus ? texts[position] : std::string();
}

std::string ArmSourceText(int position, int line) {
    static const char* const texts[] = {"", "SCP", "IMM", "HOLD", "EXT", "BUS"};
    if (position == kTtlt) {
        return "TTLT" + std::to_string(line);
    }
    return position > 0 && position <= kArmBus ? texts[position] : std::string();
}

std::optional<int> TtlLine(const std::string& source) {
    if (!BeginsWithTtlt(source) || source.size() < 5 || source[4] < '0' || source[4] > '7') {
        return std::nullopt;
    }
    return source[4] - '0';
}

std::optional<int> ParseTriggerCount(const QString& text) {
    const QString normalized = text.trimmed().toUpper();
    if (normalized == QLatin1String("INF")) {
        return 0;
    }
    bool ok = false;
    const double number = normalized.toDouble(&ok);
    if (!ok || number < 0 || number > kCountMaximum || number != std::floor(number)) {
        return std::nullopt;
    }
    return static_cast<int>(number);
}

QString StepTriggerCount(const QString& text, bool up) {
    const QString normalized = text.trimmed().toUpper();
    const bool infinite = normalized == QLatin1String("INF");
    if (infinite) {
        return up ? QStringLiteral("1") : QStringLiteral("INF");
    }
    bool ok = false;
    const double read = normalized.toDouble(&ok);
    const double number = ok && std::isfinite(read) ? std::floor(read) : 0.0;
    const double stepped =
        std::clamp(number + (up ? 1.0 : -1.0), 0.0, static_cast<double>(kCountMaximum));
    return stepped == 0.0 ? QStringLiteral("INF") : NumericField::Format(stepped);
}

// ---- CTrigObj ----

const RuntimeClass CTrigObj::kRuntimeClass{"CTrigObj", &CPanel::kRuntimeClass};

CTrigObj::CTrigObj() : CPanel(strings::LoadString(strings::kTriggerArmPanel)) {}

CTrigObj::~CTrigObj() {
    Hide();  // the page refers to this object
}

const RuntimeClass& CTrigObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CTrigObj::Synchronize() {
    if (CTrigDlg* page = Page()) {
        page->Refresh();
    }
}

void CTrigObj::Show() {
    window = PanelPage::Open<CTrigDlg>(*this);
    App().currentPanel = this;
}

CTrigDlg* CTrigObj::Page() const {
    return static_cast<CTrigDlg*>(window.data());
}

// ---- CTrigDlg ----

CTrigDlg::CTrigDlg(CTrigObj& panel)
    : PanelPage(templates::kTriggerPage),
      panel_(panel),
      timer_(*this, kTimerEdit),
      count_(*this, kCountEdit) {
    Initialize();
}

CTrigDlg::~CTrigDlg() {
    // The edits lose the focus while the page goes away: that is no reason to
    // ask the instrument anything.
    for (int id : {kTimerEdit, kCountEdit, kTimerSpin, kCountSpin}) {
        if (QWidget* control = Item(id)) {
            control->removeEventFilter(this);
        }
    }
}

QLineEdit* CTrigDlg::TimerEdit() const {
    return Item<QLineEdit>(kTimerEdit);
}

QLineEdit* CTrigDlg::CountEdit() const {
    return Item<QLineEdit>(kCountEdit);
}

void CTrigDlg::Initialize() {
    SetTitle(kTitle, strings::kTriggerArmPanel);
    for (int id : {kTimerGroup, kCountGroup}) {
        if (auto* group = Item<QGroupBox>(id)) {
            QPalette palette = group->palette();
            palette.setColor(QPalette::WindowText, ToQColor(kCaptionBlue));
            group->setPalette(palette);
        }
    }
    RunInFailureScope([this] {
        InstrumentSession& instrument = Instrument();
        timer_.Display(instrument.QueryTriggerTimer() * 1000.0);
        CountEdit()->setText(CountText(instrument.QueryTriggerCount()));
    });
    CreateSwitches();
    ConnectControls();
    SetTabOrder();
    trigSource_->FocusWidget()->setFocus(Qt::OtherFocusReason);
}

void CTrigDlg::CreateSwitches() {
    InstrumentSession& instrument = Instrument();
    std::string trigger;
    RunInFailureScope([&] { trigger = Normalized(instrument.QueryTriggerSource()); });
    trigSource_ =
        std::make_unique<RotarySwitch>(strings::kTrigSourceList, strings::kTrigSourceTitle, *this,
                                       Item(kTriggerSourceArea)->geometry(), kKnobMarginDivisor,
                                       kKnobTitleColor, kTriggerSourceMessage);
    trigSource_->SetPosition(OpeningTriggerPosition(trigger));

    armSource_ = std::make_unique<RotarySwitch>(
        strings::kArmSourceList, strings::kArmSourceTitle, *this, Item(kArmSourceArea)->geometry(),
        kKnobMarginDivisor, kKnobTitleColor, kArmSourceMessage);
    std::string arm;
    if (trigger != "TIM") {
        armSource_->Enable(false);
    } else {
        RunInFailureScope([&] { arm = Normalized(instrument.QueryArmSource()); });
    }

    const ColorRef highlight = PanelColor(panel_colors::kButtonHighlight);
    const ColorRef shadow = PanelColor(panel_colors::kButtonShadow);
    trigLine_ = std::make_unique<SlideSwitch>(
        *this, strings::kTrigTtltList, strings::kTrigTtltTitle, kLeverStyle, kTriggerLineMessage,
        Item(kTriggerLineArea)->geometry(), kLeverFace, highlight, shadow, kLeverTitleColor);
    if (BeginsWithTtlt(trigger)) {
        trigLine_->SetPosition(TtlLine(trigger).value_or(0));
    } else {
        trigLine_->Enable(false);
    }

    armLine_ = std::make_unique<SlideSwitch>(
        *this, strings::kTrigTtltList, strings::kArmTtltTitle, kLeverStyle, kArmLineMessage,
        Item(kArmLineArea)->geometry(), kLeverFace, highlight, shadow, kLeverTitleColor);
    if (!armSource_->Enabled()) {
        armLine_->Enable(false);
    } else if (BeginsWithTtlt(arm)) {
        armLine_->SetPosition(TtlLine(arm).value_or(0));
        armSource_->SetPosition(kTtlt);
    } else if (const std::optional<int> position = ArmPosition(arm)) {
        armSource_->SetPosition(*position);
    }
    ApplyEnableRules();
}

void CTrigDlg::ConnectControls() {
    connect(TimerEdit(), &QLineEdit::returnPressed, this, [this] { ApplyTimer(); });
    connect(CountEdit(), &QLineEdit::returnPressed, this, [this] { ApplyCount(); });
    connect(Item<QPushButton>(kTimerApplyButton), &QPushButton::clicked, this,
            [this] { ApplyTimer(); });
    connect(Item<QPushButton>(kCountApplyButton), &QPushButton::clicked, this,
            [this] { ApplyCount(); });
    connect(Item<QPushButton>(kRefreshButton), &QPushButton::clicked, this, [this] { Refresh(); });
    connect(Item<QPushButton>(kInfinityButton), &QPushButton::clicked, this,
            [this] { Infinity(); });
    for (int id : {kTimerSpin, kCountSpin}) {
        auto* spin = Item<QScrollBar>(id);
        spin->setFocusPolicy(Qt::NoFocus);  // the edit keeps the focus while its arrows step it
        spin->setRange(0, 2 * kSpinRest);
        spin->setValue(kSpinRest);
        spin->installEventFilter(this);
        connect(spin, &QScrollBar::actionTriggered, this, [this, id, spin](int action) {
            spin->setSliderPosition(kSpinRest);
            id == kTimerSpin ? TimerSpin(action) : CountSpin(action);
        });
    }
    TimerEdit()->installEventFilter(this);
    CountEdit()->installEventFilter(this);
}

// Left to right as the operator sees them, then the two edits and Infinity.
void CTrigDlg::SetTabOrder() {
    QWidget* order[] = {trigSource_->FocusWidget(),
                        trigLine_->FocusWidget(),
                        armSource_->FocusWidget(),
                        armLine_->FocusWidget(),
                        TimerEdit(),
                        CountEdit(),
                        Item(kInfinityButton)};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void CTrigDlg::ApplyEnableRules() {
    SetEnabled(*trigLine_, trigSource_->Selected() == kTtlt);
    SetEnabled(*armSource_, trigSource_->Selected() == kTimer);
    SetEnabled(*armLine_, armSource_->Enabled() && armSource_->Selected() == kTtlt);
}

void CTrigDlg::Refresh() {
    bool complete = false;
    RunInFailureScope([this, &complete] {
        complete = RefreshSources();
        ApplyEnableRules();
        if (!complete) {
            return;
        }
        InstrumentSession& instrument = Instrument();
        timer_.Display(instrument.QueryTriggerTimer() * 1000.0);
        CountEdit()->setText(CountText(instrument.QueryTriggerCount()));
    });
}

// False when an answer of "TTLT" with no line 0..7 after it ends the refresh.
bool CTrigDlg::RefreshSources() {
    InstrumentSession& instrument = Instrument();
    const std::string trigger = Normalized(instrument.QueryTriggerSource());
    if (BeginsWithTtlt(trigger)) {
        const std::optional<int> line = TtlLine(trigger);
        if (!line) {
            return false;
        }
        trigSource_->SetPosition(kTtlt);
        SetEnabled(*trigLine_, true);
        trigLine_->SetPosition(*line);
    } else {
        SetEnabled(*trigLine_, false);
    }
    if (trigger == "TIM") {
        trigSource_->SetPosition(kTimer);
        SetEnabled(*trigLine_, false);
        SetEnabled(*armSource_, true);
        const std::string arm = Normalized(instrument.QueryArmSource());
        if (BeginsWithTtlt(arm)) {
            const std::optional<int> line = TtlLine(arm);
            if (!line) {
                return false;
            }
            SetEnabled(*armLine_, true);
            armLine_->SetPosition(*line);
            armSource_->SetPosition(kTtlt);
        } else {
            SetEnabled(*armLine_, false);
            if (const std::optional<int> position = ArmPosition(arm)) {
                armSource_->SetPosition(*position);
            }
        }
    } else {
        SetEnabled(*armSource_, false);
        SetEnabled(*armLine_, false);
    }
    if (const std::optional<int> position = RefreshTriggerPosition(trigger)) {
        trigSource_->SetPosition(*position);
    }
    return true;
}

// ---- knobs and levers ----

void CTrigDlg::customEvent(QEvent* event) {
    if (event->type() != NotifyMessageEvent::Type()) {
        PanelPage::customEvent(event);
        return;
    }
    switch (static_cast<NotifyMessageEvent*>(event)->Message()) {
        case kTriggerSourceMessage:
            TriggerSourceChanged();
            break;
        case kTriggerLineMessage:
            TriggerLineChanged();
            break;
        case kArmSourceMessage:
            ArmSourceChanged();
            break;
        case kArmLineMessage:
            ArmLineChanged();
            break;
        default:
            break;
    }
}

void CTrigDlg::TriggerSourceChanged() {
    ApplyEnableRules();
    const std::string source = TriggerSourceText(trigSource_->Selected(), trigLine_->Selected());
    const bool sent = RunInFailureScope([&source] { Instrument().SetTriggerSource(source); });
    if (sent && trigSource_->Selected() == kTimer) {
        ArmSourceChanged();  // the timer's arm source goes with it
    }
}

void CTrigDlg::TriggerLineChanged() {
    ApplyEnableRules();
    const int line = trigLine_->Selected();
    if (line < 0 || line > 7) {
        return;
    }
    RunInFailureScope([line] { Instrument().SetTriggerSource(TriggerSourceText(kTtlt, line)); });
}

void CTrigDlg::ArmSourceChanged() {
    ApplyEnableRules();
    const std::string source = ArmSourceText(armSource_->Selected(), armLine_->Selected());
    RunInFailureScope([&source] { Instrument().SetArmSource(source); });
}

void CTrigDlg::ArmLineChanged() {
    ApplyEnableRules();
    const int line = armLine_->Selected();
    RunInFailureScope([line] { Instrument().SetArmSource(ArmSourceText(kTtlt, line)); });
}

void CTrigDlg::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(PanelColor(panel_colors::kLightGrey)));
    painter.setFont(font());
    trigLine_->Paint(painter);
    trigSource_->Paint(painter);
    armSource_->Paint(painter);
    armLine_->Paint(painter);
}

void CTrigDlg::mousePressEvent(QMouseEvent* event) {
    // A press on the surface ends an edit that was not applied; losing the
    // focus refills it from the instrument.
    QWidget* focused = focusWidget();
    if (focused == TimerEdit() || focused == CountEdit()) {
        focused->clearFocus();
    }
    const QPoint point = event->position().toPoint();
    trigLine_->MouseDown(point);
    trigSource_->MouseDown(point);
    armLine_->MouseDown(point);
    armSource_->MouseDown(point);
}

void CTrigDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void CTrigDlg::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    trigLine_->MouseMove(point);
    trigSource_->MouseMove(point);
    armLine_->MouseMove(point);
    armSource_->MouseMove(point);
}

void CTrigDlg::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    trigLine_->MouseUp(point);
    trigSource_->MouseUp(point);
    armLine_->MouseUp(point);
    armSource_->MouseUp(point);
}

// ---- timer and count ----

void CTrigDlg::ApplyTimer() {
    const double value = timer_.Parse();
    // Written so that a value that is not a number is refused as well.
    if (timer_.Error() || !(value >= kTimerMinimumMs && value <= kTimerMaximumMs)) {
        platform::Dialogs().ShowMessage(strings::LoadString(strings::kTrigTimerOutOfRange));
        return;
    }
    timer_.Display(value);
    RunInFailureScope([value] { Instrument().SetTriggerTimer(value / 1000.0); });
}

namespace {

// A whole number outside 0 to 65535 is out of range; anything else ("2.7",
// "12abc") is not a count at all, and calling it out of range would mislead.
void ShowCountRefusal(const QString& text) {
    bool ok = false;
    const double number = text.toDouble(&ok);
    const bool whole = ok && std::isfinite(number) && number == std::floor(number);
    if (whole) {
        platform::Dialogs().ShowMessage(strings::LoadString(strings::kTriggerCountOutOfRange));
        return;
    }
    platform::Dialogs().ShowMessage(
        strings::LoadString(strings::kTriggerCountNotWhole).replace(QLatin1String("%s"), text));
}

}  // namespace

void CTrigDlg::ApplyCount() {
    const QString text = CountEdit()->text().trimmed().toUpper();
    const std::optional<int> count = ParseTriggerCount(text);
    if (!count) {
        ShowCountRefusal(CountEdit()->text().trimmed());
        return;
    }
    const bool infinite = text == QLatin1String("INF");
    // A number goes out as the whole number shown, so that "1e3" cannot reach
    // the instrument as 1.
    const QString sent = infinite ? text : QString::number(*count);
    const bool ok =
        RunInFailureScope([&sent] { Instrument().SetTriggerCount(sent.toStdString()); });
    if (ok) {
        CountEdit()->setText(sent);
    }
}

void CTrigDlg::Infinity() {
    CountEdit()->setText(QStringLiteral("INF"));
    ApplyCount();
}

void CTrigDlg::StepTimer(bool up) {
    const double value = timer_.Parse();
    timer_.Display(up ? std::min(value + kTimerSpinStepMs, kTimerMaximumMs)
                      : std::max(value - kTimerSpinStepMs, kTimerMinimumMs));
}

void CTrigDlg::StepCount(bool up) {
    CountEdit()->setText(StepTriggerCount(CountEdit()->text(), up));
}

// The up arrow of a vertical bar steps towards the minimum.
void CTrigDlg::TimerSpin(int action) {
    if (action == QAbstractSlider::SliderSingleStepSub) {
        StepTimer(true);
    } else if (action == QAbstractSlider::SliderSingleStepAdd) {
        StepTimer(false);
    }
}

void CTrigDlg::CountSpin(int action) {
    if (action == QAbstractSlider::SliderSingleStepSub) {
        StepCount(true);
    } else if (action == QAbstractSlider::SliderSingleStepAdd) {
        StepCount(false);
    }
}

bool CTrigDlg::ApplyButtonUnderMouse(int buttonId) const {
    const QWidget* button = Item(buttonId);
    return button != nullptr && button->isVisible() &&
           button->rect().contains(button->mapFromGlobal(QCursor::pos()));
}

void CTrigDlg::RefillTimer() {
    if (ApplyButtonUnderMouse(kTimerApplyButton)) {
        return;
    }
    RunInFailureScope([this] { timer_.Display(Instrument().QueryTriggerTimer() * 1000.0); });
}

void CTrigDlg::RefillCount() {
    if (ApplyButtonUnderMouse(kCountApplyButton)) {
        return;
    }
    RunInFailureScope(
        [this] { CountEdit()->setText(CountText(Instrument().QueryTriggerCount())); });
}

// Up and Down in an edit work its spin arrows; letting go ends the scroll.
bool CTrigDlg::EditKey(QLineEdit* edit, QEvent* event) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Up && key->key() != Qt::Key_Down) {
        return false;
    }
    const bool isTimer = edit == TimerEdit();
    if (event->type() == QEvent::KeyPress) {
        isTimer ? StepTimer(key->key() == Qt::Key_Up) : StepCount(key->key() == Qt::Key_Up);
    } else if (!key->isAutoRepeat()) {
        isTimer ? ApplyTimer() : ApplyCount();
    }
    return true;
}

bool CTrigDlg::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    const bool isEdit = edit != nullptr && (edit == TimerEdit() || edit == CountEdit());
    switch (event->type()) {
        case QEvent::FocusOut:
            // A context menu takes the focus only for a moment.
            if (isEdit && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
                edit == TimerEdit() ? RefillTimer() : RefillCount();
            }
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (isEdit && EditKey(edit, event)) {
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            if (watched == Item(kTimerSpin)) {
                ApplyTimer();
            } else if (watched == Item(kCountSpin)) {
                ApplyCount();
            }
            break;
        default:
            break;
    }
    return PanelPage::eventFilter(watched, event);
}
