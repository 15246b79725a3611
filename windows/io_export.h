#pragma once
// What the I/O monitor writes to files: a SCPI script the console can run
// and a CSV log of every column.

#include <QString>
#include <vector>

#include "instrument/io_record.h"

struct ScriptHeader {
    QString programVersion;
    QString resource;
    QString date;
};

// Commands in order, one a line; queries and driver calls other than a
// command as '#' comments, which the console skips.
QString ScriptText(const std::vector<const iorecord::IoEntry*>& entries,
                   const ScriptHeader& header);

// A header line and one line per entry, fields quoted where needed.
QString CsvText(const std::vector<const iorecord::IoEntry*>& entries);

// The entries as the functions here take them.
std::vector<const iorecord::IoEntry*> Pointers(const std::vector<iorecord::IoEntry>& entries);

// Tab-separated rows for the clipboard.
QString TabText(const std::vector<const iorecord::IoEntry*>& entries);
