#pragma once
// The I/O monitor's table: the record's entries as rows. The model keeps
// only the sequences it shows and reads each entry from the record when a
// row is drawn, so that opening the monitor does not double the record's
// memory; the texts of recently drawn rows are kept for the next repaint.

#include <QAbstractTableModel>
#include <array>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>

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

    // The row's entry as the record holds it; none once the record dropped it.
    std::optional<iorecord::IoEntry> EntryAt(int row) const;
    // The driver's message for a failed row, kept once the operator looked.
    void SetMessage(std::uint64_t sequence, const QString& message);

    static QString CellText(const iorecord::IoEntry& entry, int column);

private:
    struct RowTexts {
        std::array<QString, kColumnCount> cells;
        bool failed = false;
    };

    bool Matches(const iorecord::IoEntry& entry) const;
    void Rebuild();
    void DropRowsTheRecordDropped();
    const RowTexts& TextsOf(std::uint64_t sequence) const;

    const iorecord::IoRecord& record_;
    std::deque<std::uint64_t> rows_;  // the sequences shown, oldest first
    std::map<std::uint64_t, QString> messages_;
    mutable std::unordered_map<std::uint64_t, RowTexts> texts_;  // bounded: see TextsOf
    mutable iorecord::IoEntry scratch_;  // read into, so that its strings keep their storage
    std::uint64_t floor_ = 0;            // sequences up to here were cleared from the view
    std::uint64_t lastSequence_ = 0;     // the newest sequence taken
    QString filter_;
    bool failuresOnly_ = false;
    bool paused_ = false;
};
