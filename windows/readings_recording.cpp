#include "windows/readings_recording.h"

#include <QFileInfo>
#include <QLocale>

#include "app/reading_text.h"
#include "instrument/io_record.h"
#include "platform/operator_dialogs.h"

namespace {

constexpr int kElements = 10;

std::string IsoTime(std::int64_t utcMs) {
    char text[sfp::ReadingRecorder::kIsoTimeSize];
    return std::string(sfp::ReadingRecorder::IsoTime(utcMs, text));
}

std::vector<int> Elements(int base) {
    std::vector<int> elements;
    for (int i = 0; i < kElements; ++i) {
        elements.push_back(base + i);
    }
    return elements;
}

// The program's name for a failed cycle's status, else the status in hex.
std::string StatusName(int status) {
    const std::string name = iorecord::StatusName(status);
    if (!name.empty()) {
        return name;
    }
    return QString::asprintf("0x%08X", static_cast<unsigned>(status)).toStdString();
}

}  // namespace

ReadingsRecording::ReadingsRecording(std::function<RecordingContext()> context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {}

ReadingsRecording::~ReadingsRecording() {
    Stop();
}

bool ReadingsRecording::ChooseAndStart() {
    // The chooser itself asks before an existing file is replaced.
    const std::optional<QString> path = platform::Dialogs().ChooseSaveFile(
        QStringLiteral("Record Readings"), QStringLiteral("CSV files (*.csv)"),
        QStringLiteral("readings.csv"));
    if (!path) {
        return false;
    }
    const QString failure = Start(*path);
    if (!failure.isEmpty()) {
        platform::Dialogs().ShowMessage(failure);
        return false;
    }
    return true;
}

QString ReadingsRecording::Start(const QString& path) {
    Stop();
    const std::string file = path.toStdString();
    if (const auto refused = sfp::ReadingRecorder::CheckTarget(file, true)) {
        return QString::fromStdString(*refused);
    }
    const RecordingContext context = context_ ? context_() : RecordingContext{};
    startMs_ = UtcNowMs();
    baseElement_ = context.baseElement;
    ended_.clear();
    path_ = path;
    const std::string failure = recorder_.Start(
        file, {context.version, context.resource, IsoTime(startMs_), Elements(baseElement_)});
    emit Changed();
    return QString::fromStdString(failure);
}

void ReadingsRecording::Take(const ReadingSample& sample) {
    // A reading taken before the file was started belongs to no row of it.
    if (!recorder_.Recording() || sample.utcMs < startMs_) {
        return;
    }
    if (sample.baseElement != baseElement_) {
        baseElement_ = sample.baseElement;
        recorder_.WriteComment("elements " + std::to_string(baseElement_) + " to " +
                               std::to_string(baseElement_ + kElements - 1) + " from here on");
    }
    char text[sfp::ReadingRecorder::kIsoTimeSize];
    const std::string_view time = sfp::ReadingRecorder::IsoTime(sample.utcMs, text);
    const double seconds = static_cast<double>(sample.utcMs - startMs_) / 1000.0;
    bool written = false;
    switch (sample.kind) {
        case ReadingSample::kValues:
            written = recorder_.WriteRow(time, seconds, sample.values);
            break;
        case ReadingSample::kFailed:
            written = recorder_.WriteFailedRow(time, seconds, kElements, StatusName(sample.status));
            break;
        case ReadingSample::kStale:
            written = recorder_.WriteFailedRow(time, seconds, kElements, "stale");
            break;
    }
    if (!written) {
        Fail();
    }
}

void ReadingsRecording::Fail() {
    ended_ = QString::fromStdString(recorder_.Failure());
    emit Changed();
    platform::Dialogs().ShowMessage(ended_ + QStringLiteral("\nThe rows written so far are kept."));
}

void ReadingsRecording::End(const std::string& why) {
    if (!recorder_.Recording()) {
        return;
    }
    const bool ended = recorder_.WriteComment("end " + IsoTime(UtcNowMs()) + " " + why);
    recorder_.Stop();
    ended_ = ended ? QString::fromStdString("Recording ended: " + why + ".")
                   : QString::fromStdString(recorder_.Failure());
    emit Changed();
}

void ReadingsRecording::Stop() {
    End("stopped");
}

void ReadingsRecording::EndForReset() {
    End("the instrument was reset");
}

QString ReadingsRecording::StatusText() const {
    if (path_.isEmpty()) {
        return QStringLiteral("Not recording");
    }
    const QString counts = QStringLiteral("%1 rows, %2")
                               .arg(recorder_.RowsWritten())
                               .arg(QLocale().formattedDataSize(recorder_.BytesWritten()));
    const QString name = QFileInfo(path_).fileName();
    if (recorder_.Recording()) {
        return QStringLiteral("Recording to %1: %2").arg(name, counts);
    }
    return QStringLiteral("%1 %2: %3").arg(ended_, name, counts);
}
