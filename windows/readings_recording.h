#pragma once
// Recording the main panel's readings to a CSV file: the operator chooses the
// file, each reading of the feed becomes a row, and a write failure, a reset
// of the instrument or a stop ends the file with everything written kept.

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/reading_feed.h"
#include "windows/reading_recorder.h"

// What a new file's header says: the program's version, the resource (or
// "emulated") and the first of the ten elements read.
struct RecordingContext {
    std::string version;
    std::string resource;
    int baseElement = 0;
};

class ReadingsRecording : public QObject {
    Q_OBJECT

public:
    explicit ReadingsRecording(std::function<RecordingContext()> context,
                               QObject* parent = nullptr);
    ~ReadingsRecording() override;

    // Asks for a file through the operator dialogs and starts writing to it;
    // false when the operator cancelled or the file was refused (told why).
    bool ChooseAndStart();
    // Starts writing to `path` at once; empty on success, else the reason.
    QString Start(const QString& path);
    void Stop();

    void Take(const ReadingSample& sample);
    // The instrument was reset: the file ends here.
    void EndForReset();

    bool Recording() const { return recorder_.Recording(); }
    long RowsWritten() const { return recorder_.RowsWritten(); }
    long long BytesWritten() const { return recorder_.BytesWritten(); }
    const QString& Path() const { return path_; }
    // What the window shows: the file, rows and size, or why it ended.
    QString StatusText() const;

signals:
    // Started or ended. The rows written are not told: a window showing them
    // asks when it repaints anyway, not per row.
    void Changed();

private:
    void Fail();
    void End(const std::string& why);

    std::function<RecordingContext()> context_;
    sfp::ReadingRecorder recorder_;
    QString path_;
    QString ended_;
    std::int64_t startMs_ = 0;
    int baseElement_ = 0;
};
