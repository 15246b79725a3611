#include "windows/io_monitor.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <numeric>
#include <optional>

#include "platform/operator_dialogs.h"
#include "windows/io_record_model.h"
#include "windows/io_row_delegate.h"
#include "windows/io_table_view.h"

namespace {

// Each poll draws the rows that arrived since the last one: once a second
// keeps up with reading while costing auto update little. The poll need not
// fall on the millisecond, so it may share its wake-up with other timers.
constexpr int kPollIntervalMs = 1000;

}  // namespace

IoMonitor::IoMonitor(const iorecord::IoRecord& record, MessageFetcher fetchMessage,
                     std::function<ScriptHeader()> scriptHeader, QWidget* parent)
    : QWidget(parent, Qt::Window),
      model_(new IoRecordModel(record, this)),
      fetchMessage_(std::move(fetchMessage)),
      scriptHeader_(std::move(scriptHeader)) {
    setWindowTitle("I/O Monitor");
    BuildLayout();
    pollTimer_.setInterval(kPollIntervalMs);
    pollTimer_.setTimerType(Qt::VeryCoarseTimer);
    connect(&pollTimer_, &QTimer::timeout, this, &IoMonitor::PollNow);
    geometry_.Restore(QSize(1100, 420));
}

IoMonitor::~IoMonitor() = default;

void IoMonitor::BuildLayout() {
    filter_ = new QLineEdit(this);
    filter_->setPlaceholderText("Filter");
    failuresOnly_ = new QCheckBox("&Failures only", this);
    pause_ = new QPushButton("&Pause", this);
    pause_->setCheckable(true);
    auto* clear = new QPushButton("C&lear", this);
    auto* copy = new QPushButton("&Copy", this);
    auto* script = new QPushButton("Save as SCPI &Script...", this);
    auto* log = new QPushButton("Save L&og...", this);
    table_ = new IoTableView(this);
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    // Wide enough for the usual origins, call names and commands; one line a
    // row keeps the table dense.
    const int widths[] = {95, 75, 190, 160, 230, 150};
    for (int column = 0; column < static_cast<int>(std::size(widths)); ++column) {
        table_->setColumnWidth(column, widths[column]);
    }
    table_->setWordWrap(false);
    table_->setItemDelegate(new IoRowDelegate(table_));
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);

    auto* tools = new QHBoxLayout;
    for (QWidget* widget :
         {static_cast<QWidget*>(filter_), static_cast<QWidget*>(failuresOnly_),
          static_cast<QWidget*>(pause_), static_cast<QWidget*>(clear), static_cast<QWidget*>(copy),
          static_cast<QWidget*>(script), static_cast<QWidget*>(log)}) {
        tools->addWidget(widget);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(table_);

    // The table takes the focus when the window opens (the rows are what the
    // operator came for, and a focused field would blink its cursor over a
    // running auto update); Ctrl+F goes to the filter.
    table_->setFocus();
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        filter_->setFocus();
        filter_->selectAll();
    });

    const auto refilter = [this] {
        model_->SetFilter(filter_->text(), failuresOnly_->isChecked());
    };
    connect(filter_, &QLineEdit::textChanged, this, refilter);
    connect(failuresOnly_, &QCheckBox::toggled, this, refilter);
    connect(pause_, &QPushButton::toggled, this, [this](bool on) { model_->SetPaused(on); });
    connect(clear, &QPushButton::clicked, this, [this] { model_->ClearRows(); });
    connect(copy, &QPushButton::clicked, this, &IoMonitor::CopySelected);
    connect(script, &QPushButton::clicked, this, &IoMonitor::SaveScript);
    connect(log, &QPushButton::clicked, this, &IoMonitor::SaveLog);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { OnCurrentRowChanged(current.row()); });
}

void IoMonitor::showEvent(QShowEvent* event) {
    PollNow();
    pollTimer_.start();
    QWidget::showEvent(event);
}

void IoMonitor::hideEvent(QHideEvent* event) {
    pollTimer_.stop();
    geometry_.Save();
    QWidget::hideEvent(event);
}

void IoMonitor::PollNow() {
    // Follow the newest row only while the operator has not scrolled up.
    QScrollBar* bar = table_->verticalScrollBar();
    const bool atBottom = bar->value() >= bar->maximum();
    model_->Poll();
    if (atBottom) {
        table_->scrollToBottom();
    }
}

void IoMonitor::OnCurrentRowChanged(int row) {
    if (!fetchMessage_) {
        return;
    }
    const std::optional<iorecord::IoEntry> entry = model_->EntryAt(row);
    if (!entry || entry->status >= 0) {
        return;
    }
    model_->SetMessage(entry->sequence, fetchMessage_(entry->status));
}

std::vector<iorecord::IoEntry> IoMonitor::Entries(const std::vector<int>& rows) const {
    std::vector<iorecord::IoEntry> entries;
    entries.reserve(rows.size());
    for (const int row : rows) {
        if (std::optional<iorecord::IoEntry> entry = model_->EntryAt(row)) {
            entries.push_back(std::move(*entry));
        }
    }
    return entries;
}

std::vector<iorecord::IoEntry> IoMonitor::SelectedEntries() const {
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return Entries(rows);
}

std::vector<iorecord::IoEntry> IoMonitor::ShownEntries() const {
    std::vector<int> rows(static_cast<std::size_t>(model_->rowCount()));
    std::iota(rows.begin(), rows.end(), 0);
    return Entries(rows);
}

void IoMonitor::CopySelected() {
    const std::vector<iorecord::IoEntry> entries = SelectedEntries();
    if (!entries.empty()) {
        QApplication::clipboard()->setText(TabText(Pointers(entries)));
    }
}

void IoMonitor::WriteFile(const QString& title, const QString& filter, const QString& name,
                          const QString& text) {
    const std::optional<QString> path = platform::Dialogs().ChooseSaveFile(title, filter, name);
    if (!path) {
        return;
    }
    QFile file(*path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(bytes) != bytes.size() ||
        !file.flush()) {
        platform::Dialogs().ShowMessage("Could not write " + *path + ": " + file.errorString());
    }
}

void IoMonitor::SaveScript() {
    const ScriptHeader header = scriptHeader_ ? scriptHeader_() : ScriptHeader{};
    WriteFile("Save as SCPI Script", "SCPI scripts (*.scpi *.txt);;All Files (*)", "session.scpi",
              ScriptText(Pointers(ShownEntries()), header));
}

void IoMonitor::SaveLog() {
    WriteFile("Save Log", "CSV files (*.csv);;All Files (*)", "io_log.csv",
              CsvText(Pointers(ShownEntries())));
}
