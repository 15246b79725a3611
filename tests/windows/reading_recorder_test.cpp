#include "windows/reading_recorder.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace sfp {
namespace {

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, ',')) {
        fields.push_back(field);
    }
    if (!line.empty() && line.back() == ',') {
        fields.emplace_back();
    }
    return fields;
}

// Values read back to the same doubles; "no reading" and failed cycles are
// empty fields; an existing file is refused unless replacing was agreed.
TEST(ReadingRecorder, FileParsesBackToTheSameDoublesWithGaps) {
    const std::string path = testing::TempDir() + "readings_roundtrip.csv";
    std::remove(path.c_str());
    const std::vector<double> values{0.1, -1.0 / 3.0, 9.91e37, 6.02214076e23, 5e-324};
    ReadingRecorder recorder;
    ASSERT_EQ(
        recorder.Start(path, {"1.0", "emulated", "2026-12-09T04:00:00.000Z", {0, 1, 2, 3, 4}}), "");
    ASSERT_TRUE(recorder.WriteRow("2026-12-09T04:00:00.100Z", 0.1, values));
    ASSERT_TRUE(
        recorder.WriteFailedRow("2026-12-09T04:00:00.200Z", 0.2, values.size(), "VI_ERROR_TMO"));
    recorder.Stop();
    EXPECT_EQ(recorder.RowsWritten(), 2);

    std::ifstream in(path);
    std::string line;
    std::vector<std::string> rows;
    while (std::getline(in, line)) {
        if (line[0] != '#') {
            rows.push_back(line);
        }
    }
    ASSERT_EQ(rows.size(), 3u);
    const auto row = Split(rows[1]);
    ASSERT_EQ(row.size(), 2 + values.size() + 1);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i == 2) {
            EXPECT_EQ(row[2 + i], "");
            continue;
        }
        EXPECT_EQ(std::strtod(row[2 + i].c_str(), nullptr), values[i]);
    }
    const auto failed = Split(rows[2]);
    ASSERT_EQ(failed.size(), 2 + values.size() + 1);
    EXPECT_EQ(failed.back(), "VI_ERROR_TMO");
    EXPECT_EQ(failed[2], "");

    EXPECT_TRUE(ReadingRecorder::CheckTarget(path, false).has_value());
    EXPECT_FALSE(ReadingRecorder::CheckTarget(path, true).has_value());
    EXPECT_TRUE(ReadingRecorder::CheckTarget("/proc/no_such_folder/x.csv", false).has_value());
}

TEST(ReadingRecorder, WriteFailureStopsAndIsReported) {
    ReadingRecorder recorder;
    recorder.Start("/dev/full", {"1.0", "emulated", "now", {0}});
    EXPECT_FALSE(recorder.Recording());
    EXPECT_NE(recorder.Failure().find("stopped"), std::string::npos);
    EXPECT_FALSE(recorder.WriteRow("t", 0, {1.0}));
}

// The rows' times read as Qt reads ISO 8601 UTC, over leap days, a century
// that is no leap year and before 1970.
TEST(ReadingRecorder, IsoTimeIsQtsIsoDateWithMilliseconds) {
    for (const std::int64_t ms :
         {0LL, -1LL, 951782400123LL, 4107542399999LL, 1796817600100LL, -2208988800001LL}) {
        char text[ReadingRecorder::kIsoTimeSize];
        EXPECT_EQ(
            std::string(ReadingRecorder::IsoTime(ms, text)),
            QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(Qt::ISODateWithMs).toStdString());
    }
}

}  // namespace
}  // namespace sfp
