#pragma once
// One console line sent to the instrument, and what came back: the answer of
// a query, or the failure's status, the driver's message and, when the
// status says an error is queued, the queued errors read back.

#include <QString>
#include <QStringList>
#include <cstdint>

class InstrumentSession;

struct ConsoleReply {
    bool ok = false;
    bool query = false;
    QString answer;
    std::int32_t status = 0;
    QString statusText;  // "0xBFFC0D07 error queued"
    QString message;     // the driver's text for the status
    QStringList queuedErrors;
};

// Sends `line` (already checked) through the session's console operations,
// with "Console" as the origin of every call it makes.
ConsoleReply SendConsoleLine(InstrumentSession& session, const QString& line);
