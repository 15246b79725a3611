#pragma once
// The I/O monitor's table: the record's entries as rows, read in batches on
// a timer with ReadAfter so that writers are never held up by the view.

#include <QAbstractTableModel>
#include <deque>
#include <functional>
#include <map>
#include <string>

#include "instrument/io_record.h"

class IoRecordModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kTime, kDuration, kOrigin, kCall, kSent, kAnswer, kStatus, kColumnCount };

    explicit IoRecordModel(const iorecord::IoRecord& record, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes what the record gained since the last poll; nothing while paused.
    void Poll();
    void SetPaused(bool paused);
    bool Paused() const { return paused_; }
    // Filter text over every column (case-insensitive) and failures only.
    void SetFilter(const QString& text, bool failuresOnly);
    // Forgets the rows shown; the record keeps counting.
    void ClearRows();

    const iorecord::IoEntry& EntryAt(int row) const { return *rows_[static_cast<size_t>(row)]; }
    // The driver's message for a failed row, kept once the operator looked.
    void SetMessage(std::uint64_t sequence, const QString& message);

    static QString CellText(const iorecord::IoEntry& entry, int column);

private:
    bool Matches(const iorecord::IoEntry& entry) const;
    void Rebuild();

    const iorecord::IoRecord& record_;
    std::deque<iorecord::IoEntry> all_;          // bounded by the record's capacity
    std::deque<const iorecord::IoEntry*> rows_;  // the shown subset of all_
    std::map<std::uint64_t, QString> messages_;
    std::uint64_t lastSequence_ = 0;
    QString filter_;
    bool failuresOnly_ = false;
    bool paused_ = false;
};
