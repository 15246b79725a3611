#include "windows/console_call.h"

#include "instrument/driver_api.h"
#include "instrument/instrument_session.h"
#include "instrument/io_record.h"
#include "instrument/user_exception.h"
#include "windows/console_input.h"

namespace {

// An instrument keeps a short queue; the bound only guards against a driver
// that never reports it empty.
constexpr int kQueuedErrorLimit = 64;

QString StatusText(std::int32_t status) {
    QString text =
        QStringLiteral("0x%1").arg(static_cast<std::uint32_t>(status), 8, 16, QLatin1Char('0'));
    const std::string name = iorecord::StatusName(status);
    return name.empty() ? text : text + ' ' + QString::fromStdString(name);
}

QStringList ReadQueuedErrors(InstrumentSession& session) {
    QStringList errors;
    session.PrepareErrorReport();
    for (int read = 0; read < kQueuedErrorLimit; ++read) {
        int code = 0;
        const Text message = session.QueryErrorQueue(code);
        if (code == 0) {
            break;
        }
        errors.append(QString::fromStdString(message.value_or(std::string())));
    }
    return errors;
}

void DescribeFailure(InstrumentSession& session, ConsoleReply& reply) {
    reply.status = session.GetLastStatus();
    reply.statusText = StatusText(reply.status);
    try {
        if (const Text message = session.GetErrorMessage(reply.status)) {
            reply.message = QString::fromStdString(*message);
        }
        if (reply.status == driver::kInstrumentErrorQueued) {
            reply.queuedErrors = ReadQueuedErrors(session);
        }
    } catch (const UserException&) {
        session.GetLastStatus();
    }
}

}  // namespace

ConsoleReply SendConsoleLine(InstrumentSession& session, const QString& line) {
    const iorecord::OriginScope origin("Console");
    ConsoleReply reply;
    reply.query = console::IsQuery(line);
    const std::string text = line.toStdString();
    try {
        if (reply.query) {
            reply.answer = QString::fromStdString(session.ConsoleQuery(text)).trimmed();
        } else {
            session.ConsoleCommand(text);
        }
        reply.ok = true;
    } catch (const UserException&) {
        DescribeFailure(session, reply);
    }
    return reply;
}
