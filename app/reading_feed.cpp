#include "app/reading_feed.h"

ReadingFeed::ReadingFeed() {
    qRegisterMetaType<ReadingSample>();
}

void ReadingFeed::Publish(const ReadingSample& sample) {
    emit Arrived(sample);
}

void ReadingFeed::PublishReset() {
    emit InstrumentReset();
}
