// The connection line follows the record: the newest command, and the last
// failure even after later calls succeeded.

#include <gtest/gtest.h>

#include "windows/connection_line.h"

TEST(ConnectionLine, ShowsTheLastCommandAndKeepsTheLastFailure) {
    iorecord::IoRecord record(8);
    ConnectionLine line(record, [] { return QStringLiteral("LIVE VXI0::24::INSTR"); });
    EXPECT_EQ(line.FullText(), "LIVE VXI0::24::INSTR");
    auto append = [&record](const char* function, const char* sent, std::int32_t status) {
        iorecord::IoEntry entry;
        entry.function = function;
        entry.sent = sent;
        entry.status = status;
        record.Append(entry);
    };
    append("qot7720_cmdString_Q", "TRIG:SOUR?", static_cast<std::int32_t>(0xBFFF0015u));
    // More calls than the ring holds between two looks: the newest still shows.
    for (int call = 0; call < 20; ++call) {
        append("qot7720_cmd", call < 19 ? "*CLS" : "ARM:SOUR\nIMM", 0);
    }
    line.PollNow();
    EXPECT_TRUE(line.FullText().startsWith("LIVE VXI0::24::INSTR  ·  last: ARM:SOUR IMM"))
        << line.FullText().toStdString();

    append("qot7720_cmdString_Q", "TRIG:SOUR?", static_cast<std::int32_t>(0xBFFF0015u));
    append("qot7720_cmd", "*RST", 0);
    line.PollNow();
    EXPECT_TRUE(line.FullText().contains("last: *RST"));
    EXPECT_TRUE(line.FullText().contains(" TRIG:SOUR? 0xbfff0015 time-out"))
        << line.FullText().toStdString();

    append("qot7720_readCVT_Q", "first 10, count 10", 0);
    line.PollNow();
    EXPECT_TRUE(line.FullText().contains("last: readCVT_Q first 10, count 10"))
        << "a call that is not SCPI is named";
}
