#include "windows/io_record_model.h"

#include <QBrush>
#include <QDateTime>
#include <QTime>
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

QVariant IoRecordModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const iorecord::IoEntry& entry = EntryAt(index.row());
    if (role == Qt::ForegroundRole) {
        return entry.status < 0 ? QVariant(QBrush(Qt::red)) : QVariant();
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
        return {};
    }
    QString text = CellText(entry, index.column());
    const auto message = messages_.find(entry.sequence);
    if (index.column() == kStatus && message != messages_.end()) {
        text += " — " + message->second;
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

void IoRecordModel::Poll() {
    if (paused_) {
        return;
    }
    std::vector<iorecord::IoEntry> fresh = record_.ReadAfter(lastSequence_, kPollBatch);
    if (fresh.empty()) {
        return;
    }
    lastSequence_ = fresh.back().sequence;
    const std::size_t capacity = record_.Capacity();
    // Entries beyond the record's capacity are gone from it too: drop them
    // here first so the model stays bounded.
    std::size_t dropRows = 0;
    std::size_t dropAll = 0;
    while (all_.size() + fresh.size() - dropAll > capacity && dropAll < all_.size()) {
        if (dropRows < rows_.size() && rows_[dropRows] == &all_[dropAll]) {
            ++dropRows;
        }
        ++dropAll;
    }
    if (dropRows > 0) {
        beginRemoveRows({}, 0, static_cast<int>(dropRows) - 1);
        rows_.erase(rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(dropRows));
    }
    for (std::size_t i = 0; i < dropAll; ++i) {
        messages_.erase(all_.front().sequence);
        all_.pop_front();
    }
    if (dropRows > 0) {
        endRemoveRows();
    }
    std::deque<const iorecord::IoEntry*> added;
    for (iorecord::IoEntry& entry : fresh) {
        all_.push_back(std::move(entry));
        if (Matches(all_.back())) {
            added.push_back(&all_.back());
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
    for (const iorecord::IoEntry& entry : all_) {
        if (Matches(entry)) {
            rows_.push_back(&entry);
        }
    }
    endResetModel();
}

void IoRecordModel::ClearRows() {
    beginResetModel();
    rows_.clear();
    all_.clear();
    messages_.clear();
    lastSequence_ = record_.LastSequence();
    endResetModel();
}

void IoRecordModel::SetMessage(std::uint64_t sequence, const QString& message) {
    messages_[sequence] = message;
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row]->sequence == sequence) {
            const QModelIndex cell = index(static_cast<int>(row), kStatus);
            emit dataChanged(cell, cell);
            return;
        }
    }
}
