#include "windows/io_record_model.h"

#include <QBrush>
#include <QDateTime>
#include <QTime>
#include <algorithm>
#include <chrono>

namespace {

constexpr std::size_t kPollBatch = 20000;

// Steady-clock start times shown as local clock time: the offsets between
// the clocks and from UTC are taken once, so that a repaint of the table
// does no time-zone lookups (a daylight-saving change during a run is not
// followed).
QString ClockText(std::int64_t startNs) {
    constexpr std::int64_t kDayMs = 24 * 60 * 60 * 1000;
    static const std::int64_t offsetMs = [] {
        const auto steady = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        const QDateTime now = QDateTime::currentDateTime();
        return now.toMSecsSinceEpoch() + now.offsetFromUtc() * 1000LL - steady.count();
    }();
    const std::int64_t ms = ((startNs / 1000000 + offsetMs) % kDayMs + kDayMs) % kDayMs;
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms))
        .toString(QStringLiteral("HH:mm:ss.zzz"));
}

QString StatusText(std::int32_t status) {
    if (status == 0) {
        return QStringLiteral("0");
    }
    QString text =
        QStringLiteral("0x%1").arg(static_cast<std::uint32_t>(status), 8, 16, QChar('0'));
    const std::string name = iorecord::StatusName(status);
    return name.empty() ? text : text + " " + QString::fromStdString(name);
}

const char* const kHeaders[] = {"Time", "Duration", "Origin", "Call", "Sent", "Answer", "Status"};

}  // namespace

IoRecordModel::IoRecordModel(const iorecord::IoRecord& record, QObject* parent)
    : QAbstractTableModel(parent), record_(record) {}

int IoRecordModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int IoRecordModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QString IoRecordModel::CellText(const iorecord::IoEntry& entry, int column) {
    switch (column) {
        case kTime:
            return ClockText(entry.startNs);
        case kDuration:
            return QString::number(static_cast<double>(entry.durationNs) / 1e6, 'f', 3) + " ms";
        case kOrigin:
            return QString::fromStdString(entry.origin);
        case kCall:
            return QString::fromStdString(entry.function);
        case kSent:
            return QString::fromStdString(entry.sent);
        case kAnswer:
            return QString::fromStdString(entry.answer);
        case kStatus:
            return StatusText(entry.status);
        default:
            return {};
    }
}

std::optional<iorecord::IoEntry> IoRecordModel::EntryAt(int row) const {
    iorecord::IoEntry entry;
    if (row < 0 || row >= rowCount() ||
        !record_.Read(rows_[static_cast<std::size_t>(row)], entry)) {
        return std::nullopt;
    }
    return entry;
}

// A repaint asks for every cell several times: the row is read and its
// texts made once, and kept while the view shows it.
const IoRecordModel::RowTexts& IoRecordModel::TextsOf(std::uint64_t sequence) const {
    constexpr std::size_t kKeptRows = 2048;  // far more than a screen of rows
    const auto found = texts_.find(sequence);
    if (found != texts_.end()) {
        return found->second;
    }
    if (texts_.size() >= kKeptRows) {
        texts_.clear();
    }
    RowTexts& texts = texts_[sequence];
    if (record_.Read(sequence, scratch_)) {
        for (int column = 0; column < kColumnCount; ++column) {
            texts.cells[static_cast<std::size_t>(column)] = CellText(scratch_, column);
        }
        texts.failed = scratch_.status < 0;
    }
    return texts;
}

QVariant IoRecordModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const std::uint64_t sequence = rows_[static_cast<std::size_t>(index.row())];
    const RowTexts& texts = TextsOf(sequence);
    if (role == Qt::ForegroundRole) {
        return texts.failed ? QVariant(QBrush(Qt::red)) : QVariant();
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    const QString& text = texts.cells[static_cast<std::size_t>(index.column())];
    const auto message = messages_.find(sequence);
    if (index.column() == kStatus && message != messages_.end()) {
        return text + " — " + message->second;
    }
    return text;
}

QVariant IoRecordModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= kColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return QString::fromLatin1(kHeaders[section]);
}

bool IoRecordModel::Matches(const iorecord::IoEntry& entry) const {
    if (failuresOnly_ && entry.status >= 0) {
        return false;
    }
    if (filter_.isEmpty()) {
        return true;
    }
    for (int column = 0; column < kColumnCount; ++column) {
        if (CellText(entry, column).contains(filter_, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

// The record drops its oldest entries when full and the operator may clear
// it: rows it no longer holds go from the view too.
void IoRecordModel::DropRowsTheRecordDropped() {
    const std::uint64_t first = std::max(record_.FirstSequence(), floor_ + 1);
    std::size_t drop = 0;
    while (drop < rows_.size() && rows_[drop] < first) {
        ++drop;
    }
    if (drop == 0) {
        return;
    }
    beginRemoveRows({}, 0, static_cast<int>(drop) - 1);
    rows_.erase(rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(drop));
    endRemoveRows();
    messages_.erase(messages_.begin(), messages_.lower_bound(first));
}

void IoRecordModel::Poll() {
    if (paused_) {
        return;
    }
    DropRowsTheRecordDropped();
    std::vector<std::uint64_t> added;
    for (const iorecord::IoEntry& entry :
         record_.ReadAfter(std::max(lastSequence_, floor_), kPollBatch)) {
        lastSequence_ = entry.sequence;
        if (Matches(entry)) {
            added.push_back(entry.sequence);
        }
    }
    if (added.empty()) {
        return;
    }
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(added.size()) - 1);
    rows_.insert(rows_.end(), added.begin(), added.end());
    endInsertRows();
}

void IoRecordModel::SetPaused(bool paused) {
    paused_ = paused;
}

void IoRecordModel::SetFilter(const QString& text, bool failuresOnly) {
    filter_ = text;
    failuresOnly_ = failuresOnly;
    Rebuild();
}

void IoRecordModel::Rebuild() {
    beginResetModel();
    rows_.clear();
    const std::uint64_t first = std::max(record_.FirstSequence(), floor_ + 1);
    for (std::uint64_t sequence = first; sequence <= lastSequence_; ++sequence) {
        if (record_.Read(sequence, scratch_) && Matches(scratch_)) {
            rows_.push_back(sequence);
        }
    }
    endResetModel();
}

void IoRecordModel::ClearRows() {
    beginResetModel();
    rows_.clear();
    messages_.clear();
    texts_.clear();
    floor_ = lastSequence_ = record_.LastSequence();
    endResetModel();
}

void IoRecordModel::SetMessage(std::uint64_t sequence, const QString& message) {
    messages_[sequence] = message;
    const auto found = std::lower_bound(rows_.begin(), rows_.end(), sequence);
    if (found == rows_.end() || *found != sequence) {
        return;
    }
    const QModelIndex cell = index(static_cast<int>(found - rows_.begin()), kStatus);
    emit dataChanged(cell, cell);
}
