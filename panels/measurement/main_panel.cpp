#include "panels/measurement/main_panel.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <chrono>

#include "app/failure_scope.h"
#include "app/reading_text.h"
#include "app/reading_worker.h"
#include "app/sfp_app.h"
#include "controls/bitmap_label.h"
#include "controls/framed_label.h"
#include "controls/lamp.h"
#include "controls/panel_color.h"
#include "instrument/instrument_session.h"
#include "instrument/user_exception.h"
#include "platform/operator_dialogs.h"
#include "platform/responsive_wait.h"
#include "platform/tick_count.h"
#include "platform/wait_cursor.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

namespace {

constexpr std::uint32_t kCycleWaitMs = 75;

constexpr int kTitleFrame = 1000;
constexpr int kTitle = 1309;
constexpr int kRightBitmap = 1001;
constexpr int kLeftBitmap = 1002;
constexpr int kLamp = 1004;
constexpr int kIdentityFrame = 1006;
constexpr int kSlotLabel = 1007;
constexpr int kSlot = 1010;
constexpr int kAddress = 1011;
constexpr int kLeftBitmapResource = 104;
constexpr int kRightBitmapResource = 105;
constexpr ColorRef kCaptionBlue = 0x02FF0000u;
constexpr int kGridCaption = 1312;
constexpr int kBaseElementEdit = 1072;
constexpr int kTakeReadingButton = 1264;
constexpr int kTriggerButton = 1358;
constexpr int kAbortButton = 1311;
constexpr int kAbortMeasurementButton = 1073;

bool Measuring(InstrumentSession& instrument) {
    return (instrument.QueryOperationCondition() & kMeasuringBit) != 0;
}

bool IsHoldOrBus(const Text& source) {
    return source == "HOLD" || source == "BUS";
}

InstrumentSession& Instrument() {
    return *App().instrument;
}

}  // namespace

// ---- CTrigWaitDlg ----

CTrigWaitDlg::CTrigWaitDlg(QWidget* parent)
    : platform::TemplateDialog(templates::kTriggerWaitDialog, parent) {
    setModal(false);
    if (auto* abort = Item<QPushButton>(kAbortMeasurementButton)) {
        connect(abort, &QPushButton::clicked, this, [this] { abortRequested = true; });
    }
}

void CTrigWaitDlg::reject() {
    abortRequested = true;
}

// ---- CPan1Obj ----

const RuntimeClass CPan1Obj::kRuntimeClass{"CPan1Obj", &CPanel::kRuntimeClass};

CPan1Obj::CPan1Obj() : CPanel(strings::LoadString(strings::kMainPanel)) {
    App().readingMode.store(kReadingIdle);
}

CPan1Obj::~CPan1Obj() {
    Hide();  // the page refers to this object
    stopWorker.store(1);
    JoinWorker();
    delete triggerWaitDialog_.data();
}

const RuntimeClass& CPan1Obj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CPan1Obj::Show() {
    window = PanelPage::Open<CPan1Dlg>(*this);
    App().currentPanel = this;
}

CPan1Dlg* CPan1Obj::Page() const {
    return static_cast<CPan1Dlg*>(window.data());
}

void CPan1Obj::JoinWorker() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

void CPan1Obj::EnableButtons(bool takeReading, bool trigger) {
    CPan1Dlg* page = Page();
    if (page == nullptr) {
        return;
    }
    page->Item<QPushButton>(kTakeReadingButton)->setEnabled(takeReading);
    page->Item<QPushButton>(kTriggerButton)->setEnabled(trigger);
}

bool CPan1Obj::ApplyBaseElement(const QString& text) {
    const int value = text.trimmed().toInt();
    if (value < kFirstBaseChannel || value > kLastBaseChannel) {
        platform::Dialogs().ShowMessage(strings::LoadString(strings::kBaseValueOutOfRange));
        return false;
    }
    baseChannel.store(value);
    readingsStale.store(1);
    if (CPan1Dlg* page = Page()) {
        page->SetCaption(value);
        page->ShowReadings();
    }
    return true;
}

void CPan1Obj::TakeReading() {
    CPan1Dlg* page = Page();
    if (page == nullptr || page->takeReadingInProgress ||
        !page->Item<QPushButton>(kTakeReadingButton)->isEnabled()) {
        return;
    }
    page->takeReadingInProgress = true;
    const bool started = RunInFailureScope([this, page] {
        readingsStale.store(0);
        page->Item<QPushButton>(kTakeReadingButton)->setEnabled(false);
        InstrumentSession& instrument = Instrument();
        bool triggerEnabled = instrument.QueryTriggerSource() == "HOLD";
        if (!triggerEnabled) {
            triggerEnabled = instrument.QueryTriggerSource() == "BUS";
        }
        page->Item<QPushButton>(kTriggerButton)->setEnabled(triggerEnabled);
        if (!Measuring(instrument)) {
            instrument.Initiate();
        }
        App().readingMode.store(kReadingSingle);
        cycleTick.store(platform::TickCount());
    });
    if (!started) {
        EnableButtons(true, false);
    }
    page->takeReadingInProgress = false;
}

void CPan1Obj::Trigger() {
    CPan1Dlg* page = Page();
    const bool tickRunning = App().mainWindow != nullptr && App().mainWindow->TickInProgress();
    if (page == nullptr || tickRunning || page->takeReadingInProgress || page->triggerInProgress) {
        return;
    }
    page->triggerInProgress = true;
    readingsStale.store(0);
    {
        std::lock_guard<std::mutex> lock(instrumentLock);
        RunInFailureScope([this] {
            InstrumentSession& instrument = Instrument();
            if (App().readingMode.load() == kReadingSingle || Measuring(instrument)) {
                instrument.TriggerImmediate();
            }
        });
    }
    page->triggerInProgress = false;
}

void CPan1Obj::Abort() {
    CPan1Dlg* page = Page();
    if (page != nullptr) {
        page->Item<QPushButton>(kTriggerButton)->setEnabled(false);
    }
    App().readingMode.store(kReadingIdle);
    RunInFailureScope([page] {
        InstrumentSession& instrument = Instrument();
        if (!Measuring(instrument)) {
            return;
        }
        if (page != nullptr) {
            page->abortInProgress = true;
        }
        platform::WaitCursor waitCursor;
        instrument.AbortMeasurement();
    });
    if (page != nullptr) {
        page->abortInProgress = false;
        page->Item<QPushButton>(kTakeReadingButton)->setEnabled(true);
    }
}

void CPan1Obj::ReadingCompletion() {
    CSfpApp& app = App();
    if (app.readingMode.load() == kReadingSingle) {
        EnableButtons(true, false);
    }
    const int base = baseChannel.load();
    int failedStatus = 0;
    const bool read = RunInFailureScope(
        [this, base] { CopyReadings(*this, Instrument().ReadCvt(base, 10)); }, failedStatus);
    if (!read) {
        PublishGap(ReadingSample::kFailed, failedStatus);
        app.readingMode.store(kReadingIdle);
        return;
    }
    PublishReadings(base, UtcNowMs());
    if (CPan1Dlg* page = Page()) {
        page->ShowReadings();
    }
    int single = kReadingSingle;
    app.readingMode.compare_exchange_strong(single, kReadingIdle);
}

bool CPan1Obj::WaitElapsed() const {
    return platform::TicksSince(cycleTick.load()) >= kCycleWaitMs;
}

void CPan1Obj::Tick() {
    const int mode = App().readingMode.load();
    if (mode == kReadingIdle) {
        return;
    }
    const bool ok = RunInFailureScope([this, mode] {
        switch (mode) {
            case kReadingSingle:
                TickSingleReading();
                break;
            case kAutoUpdateRequested:
                TickStartAutoUpdate();
                break;
            case kAutoUpdateStopping:
                TickStopAutoUpdate();
                break;
            case kAutoUpdateRunning:
                TickAutoUpdate();
                break;
            default:
                break;
        }
    });
    if (!ok) {
        App().readingMode.store(kReadingIdle);
        CloseTriggerWait();
    }
}

void CPan1Obj::TickSingleReading() {
    CPan1Dlg* page = Page();
    if (page == nullptr || page->triggerInProgress || !WaitElapsed()) {
        return;
    }
    if (!Measuring(Instrument())) {
        CloseTriggerWait();
        ReadingCompletion();
        return;
    }
    OpenTriggerWait();
    if (triggerWaitDialog_ != nullptr && triggerWaitDialog_->abortRequested) {
        CloseTriggerWait();
        Abort();
    }
}

void CPan1Obj::TickStartAutoUpdate() {
    if (readingsPaused.load() != 0 || Page() == nullptr) {
        return;
    }
    readingsStale.store(0);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    InstrumentSession& instrument = Instrument();
    if (!Measuring(instrument)) {
        instrument.Initiate();
    }
    cycleTick.store(platform::TickCount());
    EnableButtons(false, true);
    App().readingMode.store(kAutoUpdateRunning);
}

void CPan1Obj::TickStopAutoUpdate() {
    stopWorker.store(1);
    App().readingMode.store(kReadingIdle);
    platform::WaitWhile([this] { return workerState.load() == kWorkerRunning; });
    Instrument().AbortMeasurement();
    EnableButtons(true, false);
}

void CPan1Obj::TickAutoUpdate() {
    if (Page() == nullptr || readingsPaused.load() != 0 || !WaitElapsed()) {
        return;
    }
    switch (workerState.load()) {
        case kWorkerFailed:
            // The values on screen are the last good ones: not shown as current.
            readingsStale.store(1);
            Page()->ShowReadings();
            PublishGap(ReadingSample::kFailed, failedStatus.load());
            {
                // Copied before the worker may run again.
                const iorecord::FailedCall call = std::move(failedCall);
                workerState.store(kWorkerIdle);
                ReportAutoUpdateFailure(failedStatus.load(), call);
            }
            break;
        case kWorkerValuesReady:
            if (readingsBase.load() == baseChannel.load()) {
                readingsStale.store(0);
                PublishReadings(readingsBase.load(), readingsTimeMs.load());
            } else {
                PublishGap(ReadingSample::kStale, 0);
            }
            Page()->ShowReadings();
            workerState.store(kWorkerIdle);
            break;
        case kWorkerIdle:
            StartWorker();
            break;
        default:
            break;
    }
}

void CPan1Obj::StartWorker() {
    JoinWorker();  // the previous cycle's thread has already ended
    stopWorker.store(0);
    workerState.store(kWorkerStarting);
    worker_ =
        std::thread([this, &instrument = Instrument()] { RunReadingWorker(*this, instrument); });
}

void CPan1Obj::PublishReadings(int base, std::int64_t utcMs) {
    ReadingSample sample;
    sample.utcMs = utcMs;
    sample.baseElement = base;
    for (const auto& reading : readings) {
        sample.values.push_back(reading.load());
    }
    App().readingFeed.Publish(sample);
}

void CPan1Obj::PublishGap(ReadingSample::Kind kind, int status) {
    ReadingSample sample;
    sample.kind = kind;
    sample.utcMs = UtcNowMs();
    sample.baseElement = baseChannel.load();
    sample.status = status;
    App().readingFeed.Publish(sample);
}

QString CPan1Obj::GridText() const {
    const bool stale = readingsStale.load() != 0;
    const int base = baseChannel.load();
    QString text;
    for (int row = 0; row < 2; ++row) {
        QStringList elements;
        QStringList values;
        for (int column = 0; column < 5; ++column) {
            const int slot = row * 5 + column;
            elements << QString::number(base + slot);
            values << (stale ? QString()
                             : QString::fromStdString(ShortestText(readings[slot].load())));
        }
        text += elements.join('\t') + '\n' + values.join('\t') + '\n';
    }
    return text;
}

void CPan1Obj::OpenTriggerWait() {
    if (triggerWaitDialog_ != nullptr) {
        return;
    }
    QWidget* parent = App().mainWindow != nullptr ? App().mainWindow->Widget() : Page();
    triggerWaitDialog_ = new CTrigWaitDlg(parent);
    if (parent != nullptr) {
        const QRect frame = parent->frameGeometry();
        QPoint topLeft = frame.center() -
                         QPoint(triggerWaitDialog_->width() / 2, triggerWaitDialog_->height() / 2);
        topLeft.setX(std::max(0, topLeft.x()));
        topLeft.setY(std::max(0, topLeft.y()));
        triggerWaitDialog_->move(topLeft);
    }
    triggerWaitDialog_->show();
}

void CPan1Obj::CloseTriggerWait() {
    delete triggerWaitDialog_.data();
    triggerWaitDialog_ = nullptr;
}

// ---- CPan1Dlg ----

CPan1Dlg::CPan1Dlg(CPan1Obj& panel)
    : PanelPage(templates::kMainPanelPage), panel_(panel), shownTexts_(CurrentTexts()) {
    // paintEvent fills every pixel it is asked for, so Qt need not fill the
    // background under it first: a reading cycle paints its cells once.
    setAttribute(Qt::WA_OpaquePaintEvent);
    Initialize();
}

CPan1Dlg::~CPan1Dlg() {
    if (HasApp()) {
        App().EnableSynchronize(true);
    }
    delete panel_.TriggerWaitDialog();
}

void CPan1Dlg::Initialize() {
    CSfpApp& app = App();
    panel_.readingsPaused.store(0);
    if (IsAutoUpdateMode(app.readingMode.load())) {
        app.readingMode.store(kAutoUpdateRequested);
    }
    auto* edit = Item<QLineEdit>(kBaseElementEdit);
    edit->setText(QString::number(panel_.baseChannel.load()));
    connect(edit, &QLineEdit::returnPressed, this,
            [this, edit] { panel_.ApplyBaseElement(edit->text()); });
    connect(Item<QPushButton>(kTakeReadingButton), &QPushButton::clicked, this,
            [this] { panel_.TakeReading(); });
    connect(Item<QPushButton>(kTriggerButton), &QPushButton::clicked, this,
            [this] { panel_.Trigger(); });
    connect(Item<QPushButton>(kAbortButton), &QPushButton::clicked, this,
            [this] { panel_.Abort(); });
    CreateIdentity();
    SetCaption(panel_.baseChannel.load());
    Item<QPushButton>(kTakeReadingButton)->setEnabled(true);
    Item<QPushButton>(kTriggerButton)->setEnabled(false);
    CheckMeasuring();
    EnableCopy();
    app.EnableSynchronize(false);
}

// Ctrl+C and the context menu copy the grid; the base-element edit keeps its
// own Ctrl+C while it has the focus.
void CPan1Dlg::EnableCopy() {
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    copy->setContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QShortcut::activated, this,
            [this] { QApplication::clipboard()->setText(panel_.GridText()); });
}

void CPan1Dlg::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Copy"), this,
                   [this] { QApplication::clipboard()->setText(panel_.GridText()); });
    menu.exec(event->globalPos());
}

namespace {

FramedLabel* AttachLabel(QWidget& page, int id, ColorRef background, ColorRef textColor,
                         bool bevelled) {
    auto* label = new FramedLabel(background, textColor, PanelColor(panel_colors::kButtonShadow),
                                  PanelColor(panel_colors::kButtonHighlight), bevelled);
    label->Attach(page, id);
    return label;
}

}  // namespace

void CPan1Dlg::CreateIdentity() {
    CSfpApp& app = App();
    const ColorRef teal = PanelColor(panel_colors::kTeal);
    AttachLabel(*this, kTitleFrame, teal, kBlack, true)->SwapEdgeColors();
    AttachLabel(*this, kTitle, teal, kBlack, false)
        ->SetText(strings::LoadString(strings::kControllerTitle));
    (new BitmapLabel(kLeftBitmapResource))->Attach(*this, kLeftBitmap);
    (new BitmapLabel(kRightBitmapResource))->Attach(*this, kRightBitmap);
    AttachLabel(*this, kIdentityFrame, PanelColor(panel_colors::kLightGrey), kBlack, true);
    AttachLabel(*this, kAddress, kWhite, kBlack, true)->SetText(app.instrumentAddress);
    FramedLabel* slot = AttachLabel(*this, kSlot, kWhite, kBlack, true);
    slot->SetText(QString::number(app.vxiSlot));
    if (app.vxiSlot > 31999) {
        slot->hide();
        Item(kSlotLabel)->hide();
    }
    (new Lamp(app.statusColor, kLightGreyBrush))->Attach(*this, kLamp);
    caption_ =
        new FramedLabel(PanelColor(panel_colors::kLightGrey), kCaptionBlue, kBlack, kBlack, true);
    caption_->Attach(*this, kGridCaption);
}

void CPan1Dlg::SetCaption(int baseChannel) {
    captionText_ = strings::LoadString(strings::kCvtCaption)
                       .replace(QStringLiteral("%d-%d"),
                                QStringLiteral("%1-%2").arg(baseChannel).arg(baseChannel + 9));
    if (caption_ != nullptr) {
        caption_->SetText(captionText_);
    }
}

void CPan1Dlg::CheckMeasuring() {
    auto* takeReading = Item<QPushButton>(kTakeReadingButton);
    auto* trigger = Item<QPushButton>(kTriggerButton);
    const bool ok = RunInFailureScope([takeReading, trigger] {
        InstrumentSession& instrument = Instrument();
        if (!Measuring(instrument)) {
            return;
        }
        if (App().readingMode.load() == kReadingIdle) {
            platform::Dialogs().ShowMessage(strings::LoadString(strings::kDeviceWaitingForTrigger));
        }
        takeReading->setEnabled(false);
        trigger->setEnabled(IsHoldOrBus(instrument.QueryTriggerSource()));
    });
    if (!ok) {
        App().readingMode.store(kReadingIdle);
        takeReading->setEnabled(true);
        trigger->setEnabled(false);
    }
}

// Computed once: the caption neither moves nor changes its font.
QRect CPan1Dlg::GridRect() const {
    if (!gridRect_.isNull()) {
        return gridRect_;
    }
    const QWidget* caption = Item(kGridCaption);
    if (caption == nullptr) {
        return {};
    }
    const QRect captionRect = caption->geometry();
    const int lineHeight = fontMetrics().boundingRect(QLatin1Char('M')).height();
    const int top = captionRect.bottom() + 1 + 2;
    const int bottom = captionRect.bottom() + 1 + 2 * lineHeight + 22;
    gridRect_ = QRect(QPoint(captionRect.left(), top), QPoint(captionRect.right(), bottom - 1));
    return gridRect_;
}

QStringList CPan1Dlg::CurrentTexts() const {
    QStringList texts;
    const bool stale = panel_.readingsStale.load() != 0;
    for (const auto& reading : panel_.readings) {
        texts.append(stale ? QString() : QString::fromStdString(ReadingText(reading.load())));
    }
    return texts;
}

QRect CPan1Dlg::CellRect(const QRect& grid, int index) {
    const int cellWidth = grid.width() / 5;
    const int middle = grid.top() + grid.height() / 2;
    const int row = index / 5;
    const int column = index % 5;
    return QRect(grid.left() + column * cellWidth + 1, row == 0 ? grid.top() + 1 : middle + 1,
                 cellWidth - 1, grid.height() / 2 - 1);
}

// Each reading cycle repaints the part of each cell whose text changed and
// nothing else: the page's controls, the grid lines and the unchanged
// leading digits stay as they were drawn.
void CPan1Dlg::ShowReadings() {
    const QStringList texts = CurrentTexts();
    const QRect grid = GridRect();
    QRegion changed;
    for (int i = 0; i < texts.size(); ++i) {
        const QString before = shownTexts_.value(i);
        if (texts[i] != before) {
            changed += cellTexts_[static_cast<std::size_t>(i)].ChangedRect(
                CellRect(grid, i), before, texts[i], font(), glyphs_);
        }
    }
    shownTexts_ = texts;
    if (!changed.isEmpty()) {
        update(changed);
    }
}

void CPan1Dlg::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect grid = GridRect();
    if (grid.isEmpty()) {
        painter.fillRect(rect(), ToQColor(PanelColor(panel_colors::kLightGrey)));
        return;
    }
    const QRegion& dirty = event->region();
    if (!InsideCells(grid, dirty)) {
        painter.fillRect(dirty.boundingRect(), ToQColor(PanelColor(panel_colors::kLightGrey)));
        if (!dirty.intersects(grid)) {
            return;  // a control's own repaint, such as the edit's blinking cursor
        }
        DrawGrid(painter, grid);
    }
    painter.setPen(Qt::black);
    for (int i = 0; i < kReadingsShown; ++i) {
        const QRect cell = CellRect(grid, i);
        if (!dirty.intersects(cell)) {
            continue;
        }
        painter.fillRect(cell, ToQColor(kLightGreyBrush));
        cellTexts_[static_cast<std::size_t>(i)].Draw(painter, cell, shownTexts_.value(i), glyphs_);
    }
}

bool CPan1Dlg::InsideCells(const QRect& grid, const QRegion& region) {
    for (const QRect& part : region) {
        bool inside = false;
        for (int i = 0; i < kReadingsShown && !inside; ++i) {
            inside = CellRect(grid, i).contains(part);
        }
        if (!inside) {
            return false;
        }
    }
    return true;
}

void CPan1Dlg::DrawGrid(QPainter& painter, const QRect& grid) {
    painter.setPen(Qt::black);
    painter.setBrush(ToQColor(kLightGreyBrush));
    painter.drawRect(grid);
    const int cellWidth = grid.width() / 5;
    for (int column = 1; column < 5; ++column) {
        const int x = grid.left() + column * cellWidth;
        painter.drawLine(x, grid.top(), x, grid.bottom());
    }
    const int middle = grid.top() + grid.height() / 2;
    painter.drawLine(grid.left(), middle, grid.right(), middle);
}

void CPan1Dlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        return;  // the context menu's button, not a reading
    }
    if (GridRect().contains(event->position().toPoint())) {
        panel_.TakeReading();
    }
}

void CPan1Dlg::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}
