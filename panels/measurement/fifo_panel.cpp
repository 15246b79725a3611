#include "panels/measurement/fifo_panel.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <initializer_list>
#include <new>

#include "app/failure_scope.h"
#include "app/reading_text.h"
#include "app/sfp_app.h"
#include "controls/framed_label.h"
#include "controls/panel_color.h"
#include "instrument/instrument_session.h"
#include "platform/operator_dialogs.h"
#include "resources/dialog_template.h"
#include "resources/string_table.h"

namespace {

constexpr int kTitle = 1574;
constexpr int kGridCaption = 1573;
constexpr int kReadCount = 1575;
constexpr int kRemaining = 1576;
constexpr int kFirstReadingEdit = 1549;
constexpr int kReadFifoButton = 1571;
constexpr int kColumns = 5;
constexpr int kRows = 4;
constexpr int kCells = kColumns * kRows;
constexpr double kEmulatedStep = 1.01;
constexpr ColorRef kCaptionBlue = 0x02FF0000u;

// String `id` with its "%d" fields filled in order.
QString FormatString(int id, std::initializer_list<int> numbers) {
    QString text = strings::LoadString(id);
    int from = 0;
    for (const int number : numbers) {
        const int at = text.indexOf(QStringLiteral("%d"), from);
        if (at < 0) {
            break;
        }
        const QString digits = QString::number(number);
        text.replace(at, 2, digits);
        from = at + static_cast<int>(digits.size());
    }
    return text;
}

void ShowString(int id) {
    platform::Dialogs().ShowMessage(strings::LoadString(id));
}

}  // namespace

// ---- CFifoObj ----

const RuntimeClass CFifoObj::kRuntimeClass{"CFifoObj", &CPanel::kRuntimeClass};

CFifoObj::CFifoObj() : CPanel(strings::LoadString(strings::kFifoData)) {}

// The values go with the object: the shell needs to know nothing about them.
CFifoObj::~CFifoObj() = default;

const RuntimeClass& CFifoObj::GetRuntimeClass() const {
    return kRuntimeClass;
}

void CFifoObj::Show() {
    window = PanelPage::Open<CFifoDlg>(*this);
    App().currentPanel = this;
}

std::vector<double> CFifoObj::NewBuffer(std::size_t count) {
    return std::vector<double>(count, 0.0);
}

bool CFifoObj::AllocateBuffer(int count) {
    buffer_.reset();
    try {
        buffer_ = NewBuffer(static_cast<std::size_t>(std::max(count, 0)));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

QStringList FifoCellTexts(const CFifoObj& panel) {
    QStringList texts;
    const std::vector<double>* buffer = panel.Buffer();
    const bool valid = panel.bufferValid && buffer != nullptr;
    for (int i = 0; i < kCells; ++i) {
        if (!valid) {
            texts.append(QString());
            continue;
        }
        const int reading = panel.firstShown + i;
        const bool held = reading >= 1 && reading <= panel.countRead &&
                          static_cast<std::size_t>(reading) <= buffer->size();
        texts.append(
            held ? QString::asprintf("%lg", (*buffer)[static_cast<std::size_t>(reading - 1)])
                 : QStringLiteral("No Data"));
    }
    return texts;
}

QString FifoValuesText(const CFifoObj& panel, QChar separator) {
    const std::vector<double>* buffer = panel.Buffer();
    if (!panel.bufferValid || buffer == nullptr) {
        return {};
    }
    const std::size_t count = std::min(buffer->size(), static_cast<std::size_t>(panel.countRead));
    QString text;
    for (std::size_t i = 0; i < count; ++i) {
        text += QString::number(i + 1) + separator +
                QString::fromStdString(ShortestText((*buffer)[i])) + QLatin1Char('\n');
    }
    return text;
}

QRect FifoGridRect(const QRect& caption, int lineHeight) {
    const int captionBottom = caption.top() + caption.height();
    const int top = captionBottom + 2;
    const int bottom = captionBottom + kRows * lineHeight + 22;
    return QRect(caption.left(), top, caption.width(), bottom - top);
}

// ---- CFifoDlg ----

CFifoDlg::CFifoDlg(CFifoObj& panel) : PanelPage(templates::kFifoPage), panel_(panel) {
    auto* edit = Item<QLineEdit>(kFirstReadingEdit);
    edit->setText(QString::number(panel_.firstShown));
    connect(edit, &QLineEdit::returnPressed, this,
            [this, edit] { ApplyFirstReading(edit->text()); });
    connect(Item<QPushButton>(kReadFifoButton), &QPushButton::clicked, this,
            [this] { ReadFifo(); });
    SetTitle(kTitle, strings::kFifoData, kBlack);
    CreateCaptions();
    CreateSaveAndCopy();
}

// An addition to the page: "Save to CSV..." under "Read Fifo", as wide as it,
// and Ctrl+C, which copies the values read.
void CFifoDlg::CreateSaveAndCopy() {
    const QPushButton* read = Item<QPushButton>(kReadFifoButton);
    saveButton_ = new QPushButton(QStringLiteral("Save to CSV..."), this);
    saveButton_->setObjectName(QStringLiteral("saveToCsv"));
    saveButton_->setFont(read->font());
    saveButton_->setGeometry(read->geometry().translated(0, read->height() * 3 / 2));
    saveButton_->setEnabled(panel_.bufferValid);
    // Outside the page's Tab sequence, which stays as it was.
    saveButton_->setFocusPolicy(Qt::ClickFocus);
    connect(saveButton_, &QPushButton::clicked, this, [this] { SaveToCsv(); });
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    copy->setContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QShortcut::activated, this, [this] {
        const QString text = FifoValuesText(panel_, QLatin1Char('\t'));
        if (!text.isEmpty()) {
            QApplication::clipboard()->setText(text);
        }
    });
}

void CFifoDlg::SaveToCsv() {
    const QString text = FifoValuesText(panel_, QLatin1Char(','));
    if (text.isEmpty()) {
        return;
    }
    const std::optional<QString> path = platform::Dialogs().ChooseSaveFile(
        QStringLiteral("Save to CSV"), QStringLiteral("CSV files (*.csv)"),
        QStringLiteral("fifo.csv"));
    if (!path) {
        return;
    }
    QFile file(*path);
    const QByteArray bytes = (QStringLiteral("index,value\n") + text).toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        platform::Dialogs().ShowMessage(QStringLiteral("Could not write ") + *path +
                                        QStringLiteral(": ") + file.errorString());
    }
}

void CFifoDlg::CreateCaptions() {
    const auto caption = [this](int id) {
        auto* label = new FramedLabel(PanelColor(panel_colors::kLightGrey), kCaptionBlue, kBlack,
                                      kBlack, true);
        label->Attach(*this, id);
        return label;
    };
    gridCaption_ = caption(kGridCaption);
    readCount_ = caption(kReadCount);
    remainingCount_ = caption(kRemaining);
    ShowCaptions();
}

void CFifoDlg::SetGridCaption() {
    gridCaption_->SetText(
        FormatString(strings::kFifoElementsCaption, {panel_.firstShown, panel_.firstShown + 19}));
}

void CFifoDlg::ShowCaptions() {
    SetGridCaption();
    readCount_->SetText(FormatString(strings::kReadFromFifo, {panel_.countRead}));
    remainingCount_->SetText(FormatString(strings::kRemainingInFifo, {panel_.remaining}));
}

void CFifoDlg::ApplyFirstReading(const QString& text) {
    bool number = false;
    const int first = text.trimmed().toInt(&number);
    if (!number || first <= 0 || first > panel_.countRead) {
        platform::Dialogs().ShowMessage(
            FormatString(strings::kFifoElementsCaption, {1, panel_.countRead}));
        return;
    }
    panel_.firstShown = first;
    SetGridCaption();
    update();
}

void CFifoDlg::ReadFifo() {
    // A second press while the first read's message boxes are open does nothing.
    if (readInProgress_) {
        return;
    }
    readInProgress_ = true;
    const bool changed =
        App().instrument->SessionSet() ? ReadFromInstrument() : FillEmulatedValues();
    if (changed) {
        ShowCaptions();
        update();
    }
    saveButton_->setEnabled(panel_.bufferValid);
    readInProgress_ = false;
}

void CFifoDlg::ResetFirstShown() {
    panel_.firstShown = 1;
    Item<QLineEdit>(kFirstReadingEdit)->setText(QStringLiteral("1"));
}

bool CFifoDlg::ReadFromInstrument() {
    InstrumentSession& instrument = *App().instrument;
    int total = 0;
    if (!RunInFailureScope([&instrument, &total] { total = instrument.QueryFifoCount(); })) {
        return false;
    }
    if (total <= 0) {
        ShowString(strings::kFifoEmpty);
        return false;
    }
    const int count = std::min(total, CFifoObj::kMaxValuesPerRead);
    panel_.FreeBuffer();
    if (count < panel_.firstShown) {
        ResetFirstShown();
    }
    if (!panel_.AllocateBuffer(count)) {
        panel_.bufferValid = false;
        ShowString(strings::kMemoryAllocationFailed);
        return false;
    }
    panel_.bufferValid = true;
    panel_.countRead = count;
    panel_.remaining = total - count;
    std::vector<double> values;
    const bool read =
        RunInFailureScope([&instrument, &values, count] { values = instrument.ReadFifo(count); });
    if (!read) {
        // The counts stay as the read set them, but nothing that might pass
        // for a reading is shown: the buffer holds zeros and is marked invalid.
        panel_.bufferValid = false;
        return true;
    }
    std::vector<double>& buffer = panel_.MutableBuffer();
    std::copy_n(values.begin(), std::min(values.size(), buffer.size()), buffer.begin());
    return true;
}

bool CFifoDlg::FillEmulatedValues() {
    if (panel_.HasBuffer()) {
        return true;
    }
    if (!panel_.AllocateBuffer(CFifoObj::kEmulatedValueCount)) {
        ShowString(strings::kMemoryAllocationFailed);
        return false;
    }
    std::vector<double>& buffer = panel_.MutableBuffer();
    for (std::size_t i = 0; i < buffer.size(); ++i) {
        buffer[i] = static_cast<double>(i + 1) * kEmulatedStep;
    }
    panel_.countRead = CFifoObj::kEmulatedValueCount;
    panel_.remaining = 0;
    panel_.bufferValid = true;
    if (panel_.firstShown != 1) {
        ResetFirstShown();
    }
    return true;
}

void CFifoDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(PanelColor(panel_colors::kLightGrey)));
    if (grid_.left() == 0 && gridCaption_ != nullptr) {
        // The full line height of "M", as a text extent gives it, so no value is clipped.
        grid_ = FifoGridRect(gridCaption_->geometry(),
                             fontMetrics().size(Qt::TextSingleLine, QStringLiteral("M")).height());
    }
    PaintGrid(painter);
}

void CFifoDlg::PaintGrid(QPainter& painter) {
    if (grid_.isEmpty()) {
        return;
    }
    painter.setPen(Qt::black);
    painter.setBrush(ToQColor(kLightGreyBrush));
    painter.drawRect(grid_);
    const int cellWidth = grid_.width() / kColumns;
    const int cellHeight = grid_.height() / kRows;
    for (int column = 1; column < kColumns; ++column) {
        const int x = grid_.left() + column * cellWidth;
        painter.drawLine(x, grid_.top(), x, grid_.bottom());
    }
    for (int row = 1; row < kRows; ++row) {
        const int y = grid_.top() + row * cellHeight;
        painter.drawLine(grid_.left(), y, grid_.right(), y);
    }
    const QStringList texts = CellTexts();
    for (int i = 0; i < texts.size(); ++i) {
        const QRect cell(grid_.left() + (i % kColumns) * cellWidth + 1,
                         grid_.top() + (i / kColumns) * cellHeight + 1, cellWidth - 1,
                         cellHeight - 1);
        painter.drawText(cell, Qt::AlignCenter, texts[i]);
    }
}
