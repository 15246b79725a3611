#include "windows/connection_line.h"

#include <QFontMetrics>

#include "windows/io_record_model.h"

namespace {

constexpr int kPollIntervalMs = 500;
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
    pollTimer_.setInterval(kPollIntervalMs);
    connect(&pollTimer_, &QTimer::timeout, this, &ConnectionLine::PollNow);
    pollTimer_.start();
    PollNow();
}

void ConnectionLine::PollNow() {
    for (;;) {
        const std::vector<iorecord::IoEntry> entries = record_.ReadAfter(lastSequence_, kReadBatch);
        if (entries.empty()) {
            break;
        }
        for (const iorecord::IoEntry& entry : entries) {
            if (!entry.sent.empty()) {
                lastCommand_ = QString::fromStdString(entry.sent).simplified();
            }
            if (entry.status < 0) {
                lastFailure_ = IoRecordModel::CellText(entry, IoRecordModel::kTime) + ' ' +
                               QString::fromStdString(entry.function) + ' ' +
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
    setToolTip(full);
    setText(fontMetrics().elidedText(full, Qt::ElideRight, qMax(1, width())));
}

void ConnectionLine::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Show();
}
