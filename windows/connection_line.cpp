#include "windows/connection_line.h"

#include <QFontMetrics>
#include <algorithm>

#include "windows/io_record_model.h"

namespace {

// Entries taken per read; the loop goes on until the record is caught up.
constexpr std::size_t kReadBatch = 4096;

const QString kSeparator = QStringLiteral("  ·  ");

}  // namespace

ConnectionLine::ConnectionLine(const iorecord::IoRecord& record,
                               std::function<QString()> connectionText, QWidget* parent)
    : QLabel(parent), record_(record), connectionText_(std::move(connectionText)) {
    setObjectName(QStringLiteral("connectionLine"));
    setTextFormat(Qt::PlainText);
    // The window is as wide as its page: a long line is cut, never widening it.
    setMinimumWidth(1);
    PollNow();
}

namespace {

// A SCPI command or query as it was sent; any other call by its name
// first, so that "first 10, count 10" reads as the value-table read it is.
QString CallText(const iorecord::IoEntry& entry) {
    const QString sent = QString::fromStdString(entry.sent).simplified();
    static const char* const scpiCalls[] = {"qot7720_cmd", "qot7720_cmdString_Q",
                                            "qot7720_cmdInt32_Q", "qot7720_cmdReal64_Q"};
    for (const char* call : scpiCalls) {
        if (entry.function == call) {
            return sent;
        }
    }
    QString function = QString::fromStdString(entry.function);
    function.remove(QStringLiteral("qot7720_"));
    return sent.isEmpty() ? function : function + ' ' + sent;
}

}  // namespace

// Idle costs nothing: without new calls there is nothing to read or draw.
void ConnectionLine::PollNow() {
    if (shownOnce_ && record_.LastSequence() == lastSequence_) {
        return;
    }
    for (;;) {
        const std::vector<iorecord::IoEntry> entries = record_.ReadAfter(lastSequence_, kReadBatch);
        if (entries.empty()) {
            break;
        }
        // Only the batch's last command is shown; every failure is looked at.
        const auto lastSent =
            std::find_if(entries.rbegin(), entries.rend(),
                         [](const iorecord::IoEntry& e) { return !e.sent.empty(); });
        if (lastSent != entries.rend()) {
            lastCommand_ = CallText(*lastSent);
        }
        for (const iorecord::IoEntry& entry : entries) {
            if (entry.status < 0) {
                lastFailure_ = IoRecordModel::CellText(entry, IoRecordModel::kTime) + ' ' +
                               CallText(entry) + ' ' +
                               IoRecordModel::CellText(entry, IoRecordModel::kStatus);
            }
        }
        lastSequence_ = entries.back().sequence;
    }
    Show();
}

QString ConnectionLine::FullText() const {
    QString text = connectionText_ ? connectionText_() : QString();
    if (!lastCommand_.isEmpty()) {
        text += kSeparator + QStringLiteral("last: ") + lastCommand_;
    }
    if (!lastFailure_.isEmpty()) {
        text += kSeparator + QStringLiteral("failed ") + lastFailure_;
    }
    return text;
}

void ConnectionLine::Show() {
    const QString full = FullText();
    if (shownOnce_ && full == shownFull_ && width() == shownWidth_) {
        return;
    }
    shownOnce_ = true;
    shownFull_ = full;
    shownWidth_ = width();
    setToolTip(full);
    setText(fontMetrics().elidedText(full, Qt::ElideRight, qMax(1, width())));
}

void ConnectionLine::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Show();
}
