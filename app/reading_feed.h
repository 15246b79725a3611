#pragma once
// Every reading the main panel takes, published for whoever wants it (the
// readings chart, the recorder) without the main panel knowing them. The
// feed is published on the user-interface thread; listeners connect queued
// so that their work never runs inside a tick.

#include <QObject>
#include <cstdint>
#include <vector>

struct ReadingSample {
    enum Kind {
        kValues,  // `values` were read
        kFailed,  // the cycle failed with `status`
        kStale,   // the cycle's values belong to another base element
    };
    Kind kind = kValues;
    std::int64_t utcMs = 0;  // when the values were read, ms since 1970 UTC
    int baseElement = 0;
    std::vector<double> values;  // kValues only
    int status = 0;              // kFailed only
};

class ReadingFeed : public QObject {
    Q_OBJECT

public:
    ReadingFeed();

    void Publish(const ReadingSample& sample);
    // The instrument was reset: a recording ends here.
    void PublishReset();

signals:
    void Arrived(const ReadingSample& sample);
    void InstrumentReset();
};

Q_DECLARE_METATYPE(ReadingSample)
