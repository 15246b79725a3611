// The live instrument's mechanics against the simulated driver: answer
// parsing, the scan-list groupings, the value buffers, the busy guard and the
// last status, the calls made outside the guard, and the driver library's
// binding and release.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <clocale>
#include <fstream>
#include <functional>
#include <thread>

#include "instrument/driver_api.h"
#include "instrument/live_instrument.h"
#include "instrument/user_exception.h"
#include "simulator_libraries.h"

namespace {

using std::string;

class LiveInstrumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        instrument = OpenLiveInstrument(SimulatorLibraries::Path(SimulatorLibraries::kDriver));
        ASSERT_TRUE(instrument);
    }

    // Blocks until `live` has a call inside the driver, or fails after 5 s.
    static void WaitUntilBusy(LiveInstrument& live) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (live.QueryBusy() == 0 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::yield();
        }
        ASSERT_EQ(live.QueryBusy(), 1);
    }

    // Blocks until the simulated driver has logged a call beginning with `prefix`.
    void WaitForCall(const string& prefix) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!HasLineStarting(simulator.DriverCalls(), prefix) &&
               std::chrono::steady_clock::now() < deadline) {
            std::this_thread::yield();
        }
        ASSERT_TRUE(HasLineStarting(simulator.DriverCalls(), prefix)) << prefix;
    }

    SimulatorLibraries simulator;
    std::unique_ptr<LiveInstrument> instrument;
};

// ---- answers -------------------------------------------------------------

struct ParsingRow {
    const char* name;
    std::vector<string> directives;
    std::function<string(LiveInstrument&)> operation;
    string expected;
};

void PrintTo(const ParsingRow& row, std::ostream* out) {
    *out << row.name;
}

string Flags(const LimitFlags& flags) {
    string text;
    for (const auto flag : flags.flags) {
        text += std::to_string(flag) + ";";
    }
    return text;
}

const std::vector<ParsingRow>& ParsingRows() {
    static const std::vector<ParsingRow> rows = {
        {"TriggerCountZeroIsInf",
         {"answer TRIG:COUNT? 0"},
         [](LiveInstrument& i) { return *i.QueryTriggerCount(); },
         "INF"},
        {"TriggerCountNumber",
         {"answer TRIG:COUNT? 12"},
         [](LiveInstrument& i) { return *i.QueryTriggerCount(); },
         "12"},
        {"LimitFlagsInAnswerOrder",
         {"answer CALC:CLIM:FLIM:CUM? 1,0,3,4"},
         [](LiveInstrument& i) { return Flags(i.QueryCumulativeLimitFlags()); },
         "1;0;3;4;"},
        {"CurrentAmplitudeLowRange",
         {"answer OUTP:CURR:AMPL? 3.0E-5"},
         [](LiveInstrument& i) { return std::to_string(i.QueryCurrentAmplitude("100")); },
         "0"},
        {"CurrentAmplitudeHighRange",
         {"answer OUTP:CURR:AMPL? 4.88E-4"},
         [](LiveInstrument& i) { return std::to_string(i.QueryCurrentAmplitude("100")); },
         "1"},
        {"CurrentStateOffIsOne",
         {"answer OUTP:CURR:STATE? 0"},
         [](LiveInstrument& i) { return std::to_string(i.QueryCurrentState("100")); },
         "1"},
        {"CurrentStateOnIsZero",
         {"answer OUTP:CURR:STATE? 1"},
         [](LiveInstrument& i) { return std::to_string(i.QueryCurrentState("100")); },
         "0"},
        {"AverageStateOn",
         {"answer CALC:AVER:STATE? 1"},
         [](LiveInstrument& i) { return i.QueryAverageState(); },
         "ON"},
        {"AverageStateOff",
         {"answer CALC:AVER:STATE? 0"},
         [](LiveInstrument& i) { return i.QueryAverageState(); },
         "OFF"},
        {"CalibrationPassedIsEmpty",
         {"calibration 0 0"},
         [](LiveInstrument& i) { return i.Calibrate(); },
         ""},
        {"CalibrationFailureCode",
         {"calibration 0 5"},
         [](LiveInstrument& i) { return i.Calibrate(); },
         "Cal Failed with code: 5"},
        {"SelfTestMessage",
         {"self-test 0 0 \"All 64 channels pass\""},
         [](LiveInstrument& i) { return *i.SelfTest(); },
         "All 64 channels pass"},
        {"Revisions",
         {"revision A.02.00 B.07.01"},
         [](LiveInstrument& i) {
             const Revisions revisions = i.QueryRevision();
             return revisions.driver + "/" + revisions.firmware;
         },
         "A.02.00/B.07.01"},
        {"TextAnswerAsGiven",
         {"answer TRIG:SOUR? \"TIM\""},
         [](LiveInstrument& i) { return *i.QueryTriggerSource(); },
         "TIM"},
        {"ScanListSingleChannelGroup",
         {"answer \"ROUT:SEQ:DEF? LIST1,CHAN\" 105", "answer \"ROUT:SEQ:DEF? LIST1,MOD\" 2"},
         [](LiveInstrument& i) { return *i.QueryScanList(0); },
         "(@2(105))"},
        {"ScanListRangeThenSingle",
         {"answer \"ROUT:SEQ:DEF? LIST2,CHAN\" 100,101,105",
          "answer \"ROUT:SEQ:DEF? LIST2,MOD\" 1,1,1"},
         [](LiveInstrument& i) { return *i.QueryScanList(1); },
         "(@1(100:101),1(105))"},
        {"ScanListModuleChangeSplitsRun",
         {"answer \"ROUT:SEQ:DEF? LIST3,CHAN\" 6,7,8,9",
          "answer \"ROUT:SEQ:DEF? LIST3,MOD\" 1,1,2,2"},
         [](LiveInstrument& i) { return *i.QueryScanList(2); },
         "(@1(6:7),2(8:9))"},
        {"ScanListEmptyChannelAnswer",
         {"answer \"ROUT:SEQ:DEF? LIST4,CHAN\" \"\"", "answer \"ROUT:SEQ:DEF? LIST4,MOD\" \"\""},
         [](LiveInstrument& i) { return *i.QueryScanList(3); },
         "(@)"},
        {"ScanListOfLimitsTrimmed",
         {"answer \"ROUT:SEQ:DEF? LISTL,CHAN\" \"  100,101 \""},
         [](LiveInstrument& i) { return *i.QueryScanList(4); },
         "100,101"},
    };
    return rows;
}

class LiveAnswers : public LiveInstrumentTest, public ::testing::WithParamInterface<ParsingRow> {};

TEST_P(LiveAnswers, ParsesTheAnswer) {
    for (const string& directive : GetParam().directives) {
        simulator.DriverDirective(directive);
    }
    EXPECT_EQ(GetParam().operation(*instrument), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Answers, LiveAnswers, ::testing::ValuesIn(ParsingRows()),
                         [](const ::testing::TestParamInfo<ParsingRow>& info) {
                             return string(info.param.name);
                         });

TEST_F(LiveInstrumentTest, ScanListOfAllChannelsIsOneGroup) {
    instrument->DefineScanList(0, "(@100:163)");
    EXPECT_EQ(instrument->QueryScanList(0), "(@1(0:63))");
}

// ---- value buffers --------------------------------------------------------

TEST_F(LiveInstrumentTest, ReadCvtReturnsTheRequestedValues) {
    const auto ten = instrument->ReadCvt(0, 10);
    ASSERT_TRUE(ten);
    EXPECT_EQ(ten->size(), 10u);
    const auto whole = instrument->ReadCvt(0, LiveInstrument::kValueBufferSize);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->size(), 512u);
}

TEST_F(LiveInstrumentTest, ReadCvtRefusesWhatTheBufferCannotHold) {
    const std::size_t mark = simulator.LogMark();
    for (int count : {513, 100000, -1}) {
        EXPECT_THROW(instrument->ReadCvt(0, count), UserException) << count;
        EXPECT_EQ(instrument->GetLastStatus(), LiveInstrument::kInvalidCount) << count;
    }
    EXPECT_THROW(instrument->ReadCvt(40000, 10), UserException);
    EXPECT_EQ(instrument->GetLastStatus(), LiveInstrument::kInvalidFirstElement);
    EXPECT_THROW(instrument->ReadFifo(-1), UserException);
    EXPECT_EQ(instrument->GetLastStatus(), LiveInstrument::kInvalidFifoCount);
    EXPECT_TRUE(simulator.DriverCalls(mark).empty()) << "nothing reaches the driver";
    EXPECT_EQ(instrument->QueryBusy(), 0);
    // The operator is told why: the driver explains its own parameter statuses.
    EXPECT_EQ(instrument->GetErrorMessage(LiveInstrument::kInvalidCount),
              std::optional<string>("Parameter 3 is invalid"));
}

TEST_F(LiveInstrumentTest, ReadFifoReturnsTheFifoValues) {
    simulator.DriverDirective("fifo 1.5 -2.25 3e3");
    EXPECT_EQ(instrument->ReadFifo(3), (std::vector<double>{1.5, -2.25, 3000.0}));
}

TEST_F(LiveInstrumentTest, FailedFormatCommandSkipsTheRead) {
    simulator.DriverDirective("fail-next FORM 0xBFFF0015");
    const std::size_t mark = simulator.LogMark();
    EXPECT_THROW(instrument->ReadCvt(0, 10), UserException);
    EXPECT_EQ(simulator.DriverCalls(mark), std::vector<string>{"qot7720_cmd \"FORM PACK, 64\""});
    EXPECT_EQ(instrument->GetLastStatus(), driver::kTimeout);
}

// ---- the guard and the last status -----------------------------------------

TEST_F(LiveInstrumentTest, CallWhileAnotherIsInsideTheDriverIsRefused) {
    simulator.DriverDirective("hold-ms TRIG:SOUR? 300");
    Text firstAnswer;
    std::atomic<bool> firstFailed{false};
    std::thread first([&] {
        try {
            firstAnswer = instrument->QueryTriggerSource();
        } catch (const UserException&) {
            firstFailed = true;
        }
    });
    WaitUntilBusy(*instrument);
    EXPECT_THROW(instrument->Reset(), UserException);
    EXPECT_EQ(instrument->GetLastStatus(), driver::kBusy);
    EXPECT_EQ(instrument->QueryBusy(), 1) << "the refusal leaves the flag to its owner";
    first.join();
    EXPECT_FALSE(firstFailed);
    EXPECT_EQ(firstAnswer, std::optional<string>("IMM"));
    EXPECT_EQ(instrument->QueryBusy(), 0);
    EXPECT_FALSE(HasLineStarting(simulator.DriverCalls(), "qot7720_cmd \"*RST\""));
}

TEST_F(LiveInstrumentTest, LastStatusIsReportedOnceThenCleared) {
    simulator.DriverDirective("fail-next *RST 0xBFFF0011");
    EXPECT_THROW(instrument->Reset(), UserException);
    EXPECT_EQ(instrument->GetLastStatus(), static_cast<int>(0xBFFF0011u));
    EXPECT_EQ(instrument->GetLastStatus(), 0);
}

TEST_F(LiveInstrumentTest, QueuedInstrumentErrorFailsTheCall) {
    simulator.DriverDirective("queue-error -222 \"Data out of range\"");
    EXPECT_THROW(instrument->SendOpc(), UserException);
    EXPECT_EQ(instrument->GetLastStatus(), driver::kInstrumentErrorQueued);
}

TEST_F(LiveInstrumentTest, ErrorQueueAndMessagesWorkWhileBusy) {
    simulator.DriverDirective("queue-error -100 \"Command error\"");
    instrument->SetBusy(1);
    EXPECT_THROW(instrument->Reset(), UserException);
    EXPECT_EQ(instrument->GetLastStatus(), driver::kBusy);

    int code = 0;
    const Text first = instrument->QueryErrorQueue(code);
    EXPECT_EQ(code, -100);
    ASSERT_TRUE(first);
    EXPECT_NE(first->find("Command error"), string::npos) << *first;
    instrument->QueryErrorQueue(code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(instrument->GetErrorMessage(driver::kTimeout),
              std::optional<string>("Timeout expired before the operation completed"));
    EXPECT_EQ(instrument->QueryBusy(), 1);
    EXPECT_FALSE(HasLineStarting(simulator.DriverCalls(), "qot7720_cmd \"*RST\""));

    instrument->SetBusy(0);
    EXPECT_NO_THROW(instrument->Reset());
}

TEST_F(LiveInstrumentTest, FailedErrorQueryReportsAnEmptyQueue) {
    simulator.DriverDirective("queue-error -100 \"Command error\"");
    simulator.DriverDirective("fail-next qot7720_error_query 0xBFFF0015");
    int code = -1;
    instrument->QueryErrorQueue(code);
    EXPECT_EQ(code, 0) << "a report that drains the queue must end";
    EXPECT_EQ(instrument->GetLastStatus(), driver::kTimeout);
}

TEST_F(LiveInstrumentTest, UnknownStatusHasNoMessage) {
    EXPECT_EQ(instrument->GetErrorMessage(static_cast<int>(0xBFFC0999u)), std::nullopt);
    EXPECT_EQ(instrument->GetLastStatus(), 0);
}

// The self test's cancel path: the flag is cleared so that a device clear
// reaches the driver while the self test is still inside it.
TEST_F(LiveInstrumentTest, DeviceClearGetsThroughAfterTheFlagIsCleared) {
    simulator.DriverDirective("self-test 3000 0");
    std::atomic<bool> selfTestFailed{false};
    const auto started = std::chrono::steady_clock::now();
    std::thread selfTest([&] {
        try {
            instrument->SelfTest();
        } catch (const UserException&) {
            selfTestFailed = true;
        }
    });
    WaitUntilBusy(*instrument);
    WaitForCall("qot7720_self_test");
    instrument->SetBusy(0);
    EXPECT_NO_THROW(instrument->DeviceClear());
    selfTest.join();
    EXPECT_TRUE(selfTestFailed);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
}

// ---- formatting -------------------------------------------------------------

TEST_F(LiveInstrumentTest, LongChannelListsAreSentWhole) {
    string channels;
    for (int channel = 100; channel <= 163; ++channel) {
        const string number = std::to_string(channel);
        channels += (channels.empty() ? "" : ",") + number + ":" + number;
    }
    ASSERT_GT(channels.size(), 256u);
    const std::size_t mark = simulator.LogMark();
    instrument->SetInputGain(channels, "8");
    EXPECT_EQ(simulator.DriverCalls(mark),
              std::vector<string>{"qot7720_cmd \"INP:GAIN 8,(@" + channels + ")\""});
}

// Switches the numeric locale to German (decimal comma), building it into
// `directory` when the machine has not installed it.
bool UseDecimalCommaLocale(const QTemporaryDir& directory) {
    constexpr char kLocale[] = "de_DE.UTF-8";
    if (std::setlocale(LC_NUMERIC, kLocale) != nullptr) {
        return true;
    }
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"),
                    {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                     QStringLiteral("UTF-8"), directory.filePath(QString::fromLatin1(kLocale))});
    if (!localedef.waitForFinished(60000)) {
        return false;
    }
    qputenv("LOCPATH", directory.path().toLocal8Bit());
    return std::setlocale(LC_NUMERIC, kLocale) != nullptr;
}

// The operator's locale may write "0,5"; the instrument only reads "0.5".
TEST_F(LiveInstrumentTest, NumbersUseADecimalPointInEveryLocale) {
    const string previous = std::setlocale(LC_NUMERIC, nullptr);
    const QTemporaryDir locales;
    const bool switched = UseDecimalCommaLocale(locales);
    qunsetenv("LOCPATH");
    if (!switched) {
        GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
    }
    const std::size_t mark = simulator.LogMark();
    instrument->SetStrainExcitation("100", "0.02");
    instrument->SetTriggerTimer(0.5);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(simulator.DriverCalls(mark),
              (std::vector<string>{"qot7720_cmd \"SENS:STR:EXC 0.02,(@100)\"",
                                   "qot7720_cmd \"TRIG:TIM 0.5\""}));
}

// ---- binding and releasing the driver -----------------------------------------

TEST(LiveInstrumentLibrary, MissingExportFailsConstruction) {
    std::unique_ptr<LoadedLibrary> library = LoadedLibrary::LoadFirst(
        {SimulatorLibraries::Path(SimulatorLibraries::kDriverWithoutRevision)});
    ASSERT_TRUE(library);
    EXPECT_THROW(LiveInstrument(1, std::move(library)), UserException);
}

bool Mapped(const QString& path) {
    std::ifstream maps("/proc/self/maps");
    for (string line; std::getline(maps, line);) {
        if (line.find(path.toStdString()) != string::npos) {
            return true;
        }
    }
    return false;
}

TEST(LiveInstrumentLibrary, DestructorReleasesTheDriverLibrary) {
#ifdef SFP_SANITIZER_BUILD
    GTEST_SKIP() << "sanitizer builds keep libraries mapped";
#endif
    QTemporaryDir directory;
    // A copy that nothing else in the process has loaded.
    const QString copy = directory.filePath(QStringLiteral("libqot7720_32.so"));
    ASSERT_TRUE(QFile::copy(SimulatorLibraries::Path(SimulatorLibraries::kDriver), copy));
    auto instrument = OpenLiveInstrument(copy);
    ASSERT_TRUE(instrument);
    EXPECT_TRUE(Mapped(copy));
    instrument.reset();
    EXPECT_FALSE(Mapped(copy));
}

}  // namespace
