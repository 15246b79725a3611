#include "windows/io_export.h"

#include <QStringList>

#include "windows/io_record_model.h"

namespace {

// A line break in a sent text would split one command into two script lines.
QString OneLine(const std::string& text) {
    QString line = QString::fromStdString(text);
    line.replace('\r', ' ').replace('\n', ' ');
    return line.trimmed();
}

bool IsQuery(const QString& text) {
    const QString header = text.section(' ', 0, 0);
    return header.endsWith('?');
}

QString CsvField(QString text) {
    if (!text.contains(',') && !text.contains('"') && !text.contains('\n') &&
        !text.contains('\r')) {
        return text;
    }
    text.replace("\"", "\"\"");
    return '"' + text + '"';
}

QString Joined(const std::vector<const iorecord::IoEntry*>& entries, const QString& separator,
               QString (*field)(QString)) {
    QString out;
    for (const iorecord::IoEntry* entry : entries) {
        QStringList cells;
        for (int column = 0; column < IoRecordModel::kColumnCount; ++column) {
            cells << field(IoRecordModel::CellText(*entry, column));
        }
        out += cells.join(separator) + '\n';
    }
    return out;
}

QString TabField(QString text) {
    text.replace('\t', ' ').replace('\n', ' ');
    return text;
}

}  // namespace

QString ScriptText(const std::vector<const iorecord::IoEntry*>& entries,
                   const ScriptHeader& header) {
    QString out = QStringLiteral("# qot7720-sfp %1 SCPI script\n# resource %2\n# date %3\n")
                      .arg(header.programVersion, header.resource, header.date);
    for (const iorecord::IoEntry* entry : entries) {
        const QString sent = OneLine(entry->sent);
        if (sent.isEmpty()) {
            continue;
        }
        // A command the record had to cut is kept as a comment: replaying
        // half of it would send something else.
        if (entry->sentCut) {
            out += QStringLiteral("# cut, not replayed: %1\n").arg(sent);
            continue;
        }
        const bool command = entry->function == "qot7720_cmd" && !IsQuery(sent);
        out += command
                   ? sent + '\n'
                   : QStringLiteral("# %1 %2\n").arg(QString::fromStdString(entry->function), sent);
    }
    return out;
}

QString CsvText(const std::vector<const iorecord::IoEntry*>& entries) {
    return "Time,Duration,Origin,Call,Sent,Answer,Status\n" + Joined(entries, ",", CsvField);
}

QString TabText(const std::vector<const iorecord::IoEntry*>& entries) {
    return Joined(entries, "\t", TabField);
}

std::vector<const iorecord::IoEntry*> Pointers(const std::vector<iorecord::IoEntry>& entries) {
    std::vector<const iorecord::IoEntry*> pointers;
    pointers.reserve(entries.size());
    for (const iorecord::IoEntry& entry : entries) {
        pointers.push_back(&entry);
    }
    return pointers;
}
