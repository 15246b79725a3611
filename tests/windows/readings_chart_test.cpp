// Readings taken through the main panel against the simulator, recorded and
// read back; gaps in the chart and in the file; a failing write.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <csignal>
#include <fstream>
#include <sstream>

#include "app/reading_feed.h"
#include "app/readings_chart_loader.h"
#include "app_fixture.h"
#include "instrument/live_instrument.h"
#include "panels/measurement/main_panel.h"
#include "platform/tick_count.h"
#include "resources/menu_resource.h"
#include "simulator_libraries.h"
#include "windows/readings_chart.h"

namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, ',');) {
        fields.push_back(field);
    }
    if (!line.empty() && line.back() == ',') {
        fields.emplace_back();
    }
    return fields;
}

std::vector<std::string> Lines(const QString& path) {
    std::ifstream in(path.toStdString());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class ReadingsChartTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(UseSimulatedInstrument(*app, session));
        simulator.DriverDirective("scpi \"TRIG:SOUR HOLD\"");
        ASSERT_TRUE(Start());
        panel = dynamic_cast<CPan1Obj*>(app->panels.front().get());
    }

    void Trigger(const char* name) { mainWindow->findChild<QAction*>(name)->trigger(); }
    ReadingsChart& Chart() { return *mainWindow->findChild<ReadingsChart*>(); }

    // One reading through the page, on HOLD: Take Reading, Trigger, a tick.
    void TakeReading() {
        panel->Page()->Item<QPushButton>(1264)->click();
        panel->Page()->Item<QPushButton>(1358)->click();
        platform::AdvanceTickCount(80);
        mainWindow->OnTick();
        ASSERT_EQ(app->readingMode.load(), kReadingIdle);
        QCoreApplication::processEvents();  // the feed is queued
    }

    // What the simulator's CVT holds now: on HOLD nothing changes it until the next trigger.
    std::vector<double> SimulatorValues() {
        return *app->instrument->ReadCvt(panel->baseChannel.load(), kReadingsShown);
    }

    SimulatorLibraries simulator;
    CPan1Obj* panel = nullptr;
};

}  // namespace

TEST_F(ReadingsChartTest, RecordedFileHoldsTheSimulatorsDoublesWithGapsUntilAReset) {
    const QString path = simulator.TemporaryPath("readings.csv");
    dialogs->AnswerFile(path);
    Trigger("recordReadings");
    ASSERT_TRUE(Chart().Recording().Recording());
    EXPECT_EQ(dialogs->Events().front().text, "CSV files (*.csv)");

    std::vector<std::vector<double>> expected;
    for (int i = 0; i < 2; ++i) {
        TakeReading();
        expected.push_back(SimulatorValues());
    }
    simulator.DriverDirective("fail-next qot7720_readCVT_Q 0xBFFF0015");
    TakeReading();
    ASSERT_EQ(dialogs->Messages().size(), 1);
    EXPECT_TRUE(dialogs->Messages().front().startsWith("Time Out !"));
    auto* edit = panel->Page()->Item<QLineEdit>(1072);
    edit->setText("70");  // 74 onwards hold no reading
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &enter);
    TakeReading();
    expected.push_back(SimulatorValues());
    EXPECT_EQ(Chart().Recording().RowsWritten(), 4);
    mainWindow->OnCommand(menus::kReset);
    QCoreApplication::processEvents();
    EXPECT_FALSE(Chart().Recording().Recording());

    std::vector<std::string> rows;
    std::vector<std::string> comments;
    for (const std::string& line : Lines(path)) {
        (line[0] == '#' ? comments : rows).push_back(line);
    }
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], "time,seconds,10,11,12,13,14,15,16,17,18,19,status");
    EXPECT_EQ(comments[1], "# resource " + app->instrumentAddress.toStdString());
    EXPECT_EQ(comments[3], "# elements 70 to 79 from here on");
    EXPECT_NE(comments.back().find("the instrument was reset"), std::string::npos);
    const std::vector<std::size_t> valueRows{1, 2, 4};
    for (std::size_t r = 0; r < valueRows.size(); ++r) {
        const auto fields = Fields(rows[valueRows[r]]);
        ASSERT_EQ(fields.size(), 13u) << rows[valueRows[r]];
        EXPECT_EQ(fields[0].size(), 24u) << "ISO 8601 UTC with milliseconds: " << fields[0];
        for (std::size_t i = 0; i < kReadingsShown; ++i) {
            const double value = expected[r][i];
            if (IsNoReading(value)) {
                EXPECT_EQ(fields[2 + i], "");
                continue;
            }
            EXPECT_EQ(std::strtod(fields[2 + i].c_str(), nullptr), value) << fields[2 + i];
        }
    }
    EXPECT_TRUE(IsNoReading(expected[2][9]));
    EXPECT_EQ(Fields(rows[3]),
              (std::vector<std::string>{Fields(rows[3])[0], Fields(rows[3])[1], "", "", "", "", "",
                                        "", "", "", "", "", "time-out"}));

    // The chart: the new base started new series; before it, the failed
    // cycle broke the line in two.
    EXPECT_EQ(Chart().BaseElement(), 70);
    EXPECT_EQ(Chart().History().Size(), 1u);
}

// Without its module (none is beside the tests) the chart is refused with
// the loader's reason, the recording with it, and asking again tries again.
TEST_F(ReadingsChartTest, AChartThatCannotBeLoadedSaysWhy) {
    UseLinkedReadingsChart(nullptr);
    Trigger("recordReadings");
    Trigger("readingsChart");
    UseLinkedReadingsChart(&ReadingsChart::Create);
    const QStringList messages = dialogs->Messages();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].startsWith("The Readings Chart could not be loaded: "))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains("qot7720-sfp-chart.so")) << messages[0].toStdString();
    EXPECT_EQ(mainWindow->findChild<ReadingsChart*>(), nullptr);
    Trigger("readingsChart");
    EXPECT_NE(mainWindow->findChild<ReadingsChart*>(), nullptr);
}

TEST_F(ReadingsChartTest, AFailedCycleIsABreakInTheLineNotAPoint) {
    Trigger("readingsChart");
    TakeReading();
    TakeReading();
    simulator.DriverDirective("fail-next qot7720_readCVT_Q 0xBFFF0015");
    TakeReading();
    TakeReading();
    TakeReading();
    Chart().Redraw();
    const auto pieces = Chart().Pieces(0);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].size(), 2);
    EXPECT_EQ(pieces[1].size(), 2);
    EXPECT_LE(pieces[0].at(1).x(), pieces[1].at(0).x());
}

// A long line in a view that stands is drawn as runs joined end to end: one
// whole line, with every point once; "All" holds every reading, also after
// more arrive.
TEST_F(ReadingsChartTest, TheRunsOfALongLineMakeOneWholeLine) {
    ReadingFeed feed;
    ReadingsChart chart(feed, nullptr);
    chart.resize(900, 520);
    chart.show();
    const std::int64_t start = UtcNowMs() - 600000;
    const auto take = [&](int from, int to) {
        for (int i = from; i < to; ++i) {
            ReadingSample sample;
            sample.utcMs = start + i * 200;
            sample.baseElement = 10;
            sample.values.assign(10, std::sin(i * 0.7) * 3 + i % 3);
            chart.Take(sample);
        }
    };
    take(0, 3000);
    chart.SetWindowSeconds(0);
    for (const int more : {0, 40}) {
        take(3000, 3000 + more);
        chart.Redraw();
        const auto lines = chart.Lines(0);
        ASSERT_GT(lines.size(), 1u);
        long points = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            points += lines[i]->count();
            if (i > 0) {
                EXPECT_EQ(lines[i - 1]->points().back(), lines[i]->points().front()) << i;
            }
        }
        const auto pieces = chart.Pieces(0);
        ASSERT_EQ(pieces.size(), 1u);
        EXPECT_EQ(pieces[0].size(), points - static_cast<long>(lines.size() - 1));
        const auto& history = chart.History();
        EXPECT_LE(chart.ViewBegin(), history.TimeAt(0));
        EXPECT_GE(chart.ViewEnd(), history.TimeAt(history.Size() - 1));
    }
}

// A file that may grow only so far: the write that fails stops the recording
// with one message, and every row written before it stays readable.
TEST_F(ReadingsChartTest, AWriteFailureStopsWithAMessageAndKeepsTheRows) {
    const QString path = simulator.TemporaryPath("full.csv");
    ReadingsRecording recording([] { return RecordingContext{"test", "emulated", 10}; });
    ASSERT_EQ(recording.Start(path), "");
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit limit = previous;
    limit.rlim_cur = 1500;
    setrlimit(RLIMIT_FSIZE, &limit);
    ReadingSample sample;
    sample.values.assign(kReadingsShown, 1.0 / 3.0);
    sample.baseElement = 10;
    for (int i = 0; i < 100 && recording.Recording(); ++i) {
        sample.utcMs = UtcNowMs();
        recording.Take(sample);
    }
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(recording.Recording());
    ASSERT_EQ(dialogs->Messages().size(), 1);
    EXPECT_TRUE(dialogs->Messages().front().contains("File too large"))
        << dialogs->Messages().front().toStdString();
    long complete = 0;
    for (const std::string& line : Lines(path)) {
        complete += line.rfind("20", 0) == 0 && Fields(line).size() == 13u;
    }
    EXPECT_EQ(complete, recording.RowsWritten());
    EXPECT_GT(complete, 3);

    // A folder without write permission is refused before anything starts.
    dialogs->AnswerFile(QString("/proc/no_such_folder/readings.csv"));
    EXPECT_FALSE(recording.ChooseAndStart());
    EXPECT_EQ(dialogs->Messages().size(), 2);
    EXPECT_TRUE(dialogs->Messages().back().contains("cannot be written"));
}

// Ctrl+C on the main panel: per grid row the element numbers, then the values
// as the same doubles; elements without a reading are empty fields.
TEST_F(ReadingsChartTest, CtrlCCopiesTheGridWithElementNumbers) {
    auto* edit = panel->Page()->Item<QLineEdit>(1072);
    edit->setText("70");
    QTest::keyClick(edit, Qt::Key_Return);
    TakeReading();
    const std::vector<double> values = SimulatorValues();
    mainWindow->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow));
    auto* takeReading = panel->Page()->Item<QPushButton>(1264);
    takeReading->setFocus();
    QTest::keyClick(takeReading, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    ASSERT_EQ(lines.size(), 5) << lines.join('|').toStdString();
    for (int row = 0; row < 2; ++row) {
        const QStringList numbers = lines[2 * row].split('\t');
        const QStringList texts = lines[2 * row + 1].split('\t');
        ASSERT_EQ(numbers.size(), 5);
        ASSERT_EQ(texts.size(), 5);
        for (int column = 0; column < 5; ++column) {
            const int slot = row * 5 + column;
            EXPECT_EQ(numbers[column], QString::number(70 + slot));
            const double value = values[static_cast<std::size_t>(slot)];
            EXPECT_EQ(texts[column].isEmpty(), IsNoReading(value)) << slot;
            if (!IsNoReading(value)) {
                EXPECT_EQ(texts[column].toDouble(), value) << slot;
            }
        }
    }
}
