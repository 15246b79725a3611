// The SCPI console against the simulated QOT7720: a script saved by the I/O
// monitor reproduces the driver calls its commands made, a failing line stops
// the script, and bad input sends nothing.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>

#include "app/sfp_app.h"
#include "instrument/emulated_instrument.h"
#include "instrument/live_instrument.h"
#include "recording_dialogs.h"
#include "simulator_libraries.h"
#include "test_files.h"
#include "windows/io_export.h"
#include "windows/scpi_console.h"

namespace {

class ScpiConsoleTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.instrument = OpenLiveInstrument(SimulatorLibraries::Path(SimulatorLibraries::kDriver));
        ASSERT_TRUE(app.instrument);
    }

    QString WriteFile(const QString& name, const QByteArray& bytes) {
        return WriteTestFile(simulator.TemporaryPath(name), bytes);
    }

    // Runs the script to its end; true when every line went through.
    bool RunScript(ScpiConsole& console, const QString& path) {
        bool completed = false;
        QObject::connect(&console, &ScpiConsole::ScriptFinished,
                         [&completed](bool done) { completed = done; });
        if (!console.StartScript(path)) {
            return false;
        }
        while (console.ScriptRunning()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return completed;
    }

    ScopedRecordingDialogs dialogs;
    SimulatorLibraries simulator;
    CSfpApp app;
};

}  // namespace

TEST_F(ScpiConsoleTest, SavedScriptReproducesTheDriverCallsOfItsCommands) {
    // A session as the panels make it, taken from the I/O record.
    const std::uint64_t before = iorecord::Record().LastSequence();
    const std::size_t direct = simulator.LogMark();
    app.instrument->SetTriggerSource("HOLD");
    app.instrument->QueryTriggerSource();
    app.instrument->SetInputGain("100", "8");
    app.instrument->ReadCvt(0, 10);
    app.instrument->SetSampleTimer("1e-4");
    const std::vector<iorecord::IoEntry> session = iorecord::Record().ReadAfter(before, 100);
    // The commands replay; the queries and the value-table read stay comments.
    std::vector<std::string> expected;
    for (const std::string& call : simulator.DriverCalls(direct)) {
        if (call.rfind("qot7720_cmd \"", 0) == 0) {
            expected.push_back(call);
        }
    }
    ASSERT_EQ(expected.size(), 4u);

    const QString path =
        WriteFile("session.scpi",
                  ScriptText(Pointers(session), {"2.5", kDefaultResource, "2026-12-09"}).toUtf8());
    ScpiConsole console;
    const std::size_t mark = simulator.LogMark();
    ASSERT_TRUE(RunScript(console, path));
    EXPECT_EQ(simulator.DriverCalls(mark), expected);
    EXPECT_EQ(console.Progress(), "line 9 of 9");

    // A query's answer is shown; the line joins the history a new console reads back.
    ASSERT_TRUE(console.SendLine("TRIG:SOUR?"));
    EXPECT_TRUE(console.Transcript().endsWith("> TRIG:SOUR?\nHOLD"));
    EXPECT_EQ(ScpiConsole().History().constLast(), "TRIG:SOUR?");
}

TEST_F(ScpiConsoleTest, AFailingLineStopsTheScriptWithItsNumberAndTheQueuedError) {
    const QString path = WriteFile("failing.scpi",
                                   "TRIG:SOUR HOLD\n\n# a comment\nBOGUS:HEADER 1\n"
                                   "TRIG:SOUR IMM\n");
    ScpiConsole console;
    const std::size_t mark = simulator.LogMark();
    EXPECT_FALSE(RunScript(console, path));
    const std::vector<std::string> calls = simulator.DriverCalls(mark);
    EXPECT_TRUE(HasLineStarting(calls, "qot7720_cmd \"BOGUS:HEADER 1\""));
    EXPECT_FALSE(HasLineStarting(calls, "qot7720_cmd \"TRIG:SOUR IMM\""));
    const QString transcript = console.Transcript();
    EXPECT_TRUE(transcript.contains("error queued")) << transcript.toStdString();
    EXPECT_TRUE(transcript.contains("Undefined header")) << transcript.toStdString();
    EXPECT_TRUE(transcript.contains("Script stopped at line 4: BOGUS:HEADER 1"));
}

TEST_F(ScpiConsoleTest, BadInputSendsNothing) {
    ScpiConsole console;
    const QString binary = WriteFile("binary.scpi", QByteArray("TRIG:SOUR HOLD\n\0\x01", 17));
    const QString longLine = WriteFile("long.scpi", QByteArray(4097, 'A'));
    const std::size_t mark = simulator.LogMark();
    EXPECT_FALSE(console.SendLine(""));
    EXPECT_FALSE(console.SendLine("   "));
    EXPECT_FALSE(console.SendLine(QString(4097, 'A')));
    EXPECT_FALSE(console.SendLine(QString::fromUtf8("TRIG:SOUR H\u00d6LD")));
    EXPECT_FALSE(console.StartScript(binary));
    EXPECT_FALSE(console.StartScript(simulator.TemporaryPath("missing.scpi")));
    EXPECT_FALSE(RunScript(console, longLine));
    EXPECT_TRUE(simulator.DriverCalls(mark).empty());
    const QString transcript = console.Transcript();
    EXPECT_EQ(transcript.count("The line is empty"), 2);
    EXPECT_EQ(transcript.count("longer than 4096"), 2);
    EXPECT_TRUE(transcript.contains("not a plain text file"));
    EXPECT_TRUE(transcript.contains("Could not open file."));
    EXPECT_TRUE(transcript.contains("Script stopped at line 1"));

    app.instrument = std::make_unique<EmulatedInstrument>();
    EXPECT_FALSE(console.SendLine("*RST"));
    EXPECT_TRUE(console.Transcript().contains("cannot reach an emulated instrument"));
}
