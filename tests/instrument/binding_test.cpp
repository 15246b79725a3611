// Binding through the real run-time loading of the simulated VISA and driver
// libraries: the command-line options, the loading order and its messages,
// discovery and identification, the choice, the location read and the
// driver session, and the fallbacks to emulation.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "app/main_wnd.h"
#include "app/sfp_app.h"
#include "instrument/binding.h"
#include "instrument/command_line_options.h"
#include "instrument/emulated_instrument.h"
#include "instrument/instrument_location.h"
#include "instrument/library_names.h"
#include "instrument/live_instrument.h"
#include "instrument/resource_manager_info.h"
#include "recording_dialogs.h"
#include "simulator_libraries.h"

namespace {

using std::string;

// The message names the library looked for, here the one the variable gives.
const QString kVisaMissing = QStringLiteral(
    "'/nonexistent/libvisa.so' could not be found, or is not installed.  Soft Front Panel will "
    "execute in emulation mode.");
const QString kDriverMissing = QStringLiteral(
    "'qot7720_32.dll' could not be loaded (does not exist or not installed correctly).  Soft "
    "Front Panel will execute in emulation mode.");
const QString kNoInstrument =
    QStringLiteral("No 'QO T7720' could be found.  Soft Front Panel executing in emulation mode.");
const QString kFatal = QStringLiteral(
    "GetProcAddress Failure, qot7720_32.dll is corrupt or file acess is failing.  FATAL..");

constexpr ColorRef kGreen = Rgb(0, 255, 0);

// A QOT7720 on GPIB that answers *IDN? with serial number and revision.
const string kGpibInstrument =
    "add-resource GPIB0::9::INSTR GPIB \"QUORVALE-ORBANT,T7720,US1234,A.01.00\"";

class BindingTest : public ::testing::Test {
protected:
    BindingResult Bind(const QString& commandLine = QString(),
                       const QString& remembered = QString()) {
        mark = simulator.LogMark();
        return BindInstrument(commandLine, remembered);
    }

    std::vector<string> VisaCalls() const { return simulator.VisaCalls(mark); }
    std::vector<string> DriverCalls() const { return simulator.DriverCalls(mark); }

    static void ExpectEmulated(const BindingResult& result) {
        EXPECT_FALSE(result.fatal);
        EXPECT_NE(dynamic_cast<EmulatedInstrument*>(result.instrument.get()), nullptr);
        EXPECT_EQ(result.instrumentAddress, QStringLiteral("EMULATED"));
        EXPECT_EQ(result.vxiSlot, 32000);
        EXPECT_EQ(result.statusColor, kDarkGreyBrush);
    }

    static void ExpectLive(const BindingResult& result, const QString& address) {
        EXPECT_FALSE(result.fatal);
        EXPECT_NE(dynamic_cast<LiveInstrument*>(result.instrument.get()), nullptr);
        EXPECT_EQ(result.instrumentAddress, address);
        EXPECT_EQ(result.statusColor, kGreen);
    }

    SimulatorLibraries simulator;
    ScopedRecordingDialogs dialogs;
    std::size_t mark = 0;
};

// ---- loading --------------------------------------------------------------------

TEST_F(BindingTest, DefaultSimulatedInstrumentBindsLive) {
    const BindingResult result = Bind();
    ExpectLive(result, QStringLiteral("VXI0::24"));
    EXPECT_EQ(result.vxiSlot, 3);
    EXPECT_EQ(result.vxiLogicalAddress, 24);
    EXPECT_TRUE(dialogs->Events().empty());
    EXPECT_TRUE(HasLineStarting(VisaCalls(), "viFindRsrc"));
    EXPECT_EQ(DriverCalls(),
              (std::vector<string>{"qot7720_init \"VXI0::24::INSTR\" 0 0", "qot7720_timeOut 30000",
                                   "qot7720_errorQueryDetect 1"}));
}

TEST_F(BindingTest, ResetOptionAsksTheDriverToReset) {
    for (const char* option : {"-R", "/r"}) {
        const BindingResult result = Bind(QString::fromLatin1(option));
        ExpectLive(result, QStringLiteral("VXI0::24"));
        EXPECT_TRUE(HasLineStarting(DriverCalls(), "qot7720_init \"VXI0::24::INSTR\" 0 1"))
            << option;
    }
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

TEST_F(BindingTest, WithoutVisaTheDriverIsNotLoaded) {
    // A driver copy that nothing else loads, so that its mapping tells.
    const QString driverCopy = simulator.TemporaryPath(QStringLiteral("libqot7720_32.so"));
    ASSERT_TRUE(QFile::copy(SimulatorLibraries::Path(SimulatorLibraries::kDriver), driverCopy));
    qputenv("QOT7720_VISA_LIBRARY", "/nonexistent/libvisa.so");
    qputenv("QOT7720_DRIVER_LIBRARY", driverCopy.toLocal8Bit());
    const BindingResult result = Bind();
    ExpectEmulated(result);
    EXPECT_EQ(dialogs->Messages(), QStringList{kVisaMissing});
    EXPECT_FALSE(Mapped(driverCopy));
}

TEST_F(BindingTest, WithoutDriverLibraryEmulates) {
    qputenv("QOT7720_DRIVER_LIBRARY", "/nonexistent/libqot7720_32.so");
    const BindingResult result = Bind();
    ExpectEmulated(result);
    EXPECT_EQ(dialogs->Messages(), QStringList{kDriverMissing});
    EXPECT_TRUE(VisaCalls().empty());
}

TEST_F(BindingTest, VisaLibraryWithoutItsFunctionsEmulatesSilently) {
    qputenv("QOT7720_VISA_LIBRARY",
            SimulatorLibraries::Path(SimulatorLibraries::kDriver).toLocal8Bit());
    ExpectEmulated(Bind());
    EXPECT_TRUE(dialogs->Events().empty());
}

TEST_F(BindingTest, ResourceManagerFailureEmulatesSilently) {
    simulator.VisaDirective("fail-next viOpenDefaultRM 0xBFFF0000");
    ExpectEmulated(Bind());
    EXPECT_TRUE(dialogs->Events().empty());
    EXPECT_FALSE(HasLineStarting(VisaCalls(), "viFindRsrc"));
}

TEST_F(BindingTest, MissingDriverExportIsFatal) {
    qputenv("QOT7720_DRIVER_LIBRARY",
            SimulatorLibraries::Path(SimulatorLibraries::kDriverWithoutRevision).toLocal8Bit());
    const BindingResult result = Bind();
    EXPECT_TRUE(result.fatal);
    EXPECT_EQ(result.instrument, nullptr);
    EXPECT_TRUE(dialogs->Messages().isEmpty()) << "the shell shows the fatal message";
}

TEST_F(BindingTest, FailingInitEmulatesSilently) {
    simulator.DriverDirective("fail-next qot7720_init 0xBFFF0011");
    ExpectEmulated(Bind());
    EXPECT_TRUE(dialogs->Events().empty());
    EXPECT_EQ(DriverCalls(), std::vector<string>{"qot7720_init \"VXI0::24::INSTR\" 0 0"});
}

// ---- discovery and choice ------------------------------------------------------

TEST_F(BindingTest, FailedSearchShowsNoInstrumentOnce) {
    simulator.VisaDirective("clear-resources");
    ExpectEmulated(Bind());
    EXPECT_EQ(dialogs->Messages(), QStringList{kNoInstrument});
}

TEST_F(BindingTest, NoIdentifiedResourceShowsNoInstrumentOnce) {
    simulator.VisaDirective("clear-resources");
    simulator.VisaDirective("add-resource GPIB0::3::INSTR GPIB \"OTHER MAKER,DMM,1,2\"");
    ExpectEmulated(Bind());
    EXPECT_EQ(dialogs->Messages(), QStringList{kNoInstrument});
    EXPECT_EQ(dialogs->Count(DialogEvent::SelectInstrument), 0);
}

TEST_F(BindingTest, OnlyVxiCandidateIsChosenWithoutDialog) {
    simulator.Both(kGpibInstrument);
    ExpectLive(Bind(), QStringLiteral("VXI0::24"));
    EXPECT_EQ(dialogs->Count(DialogEvent::SelectInstrument), 0);
}

TEST_F(BindingTest, SeveralVxiCandidatesLetTheOperatorChoose) {
    simulator.Both("add-resource VXI0::40::INSTR VXI 0x0FFA 0x0720 SLOT=5 LA=40");
    dialogs->AnswerSelection(QStringLiteral("VXI0::40::INSTR"));
    const BindingResult result = Bind();
    ExpectLive(result, QStringLiteral("VXI0::40"));
    EXPECT_EQ(result.vxiSlot, 5);
    EXPECT_EQ(result.vxiLogicalAddress, 40);
    const std::vector<DialogEvent> events = dialogs->Events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, DialogEvent::SelectInstrument);
    EXPECT_EQ(events[0].text, QStringLiteral("VXI0::24::INSTR|VXI0::40::INSTR"));
    EXPECT_TRUE(HasLineStarting(DriverCalls(), "qot7720_init \"VXI0::40::INSTR\""));
}

TEST_F(BindingTest, CancelledChoiceEmulatesSilently) {
    simulator.Both("add-resource VXI0::40::INSTR VXI 0x0FFA 0x0720");
    dialogs->AnswerSelection(std::nullopt);
    ExpectEmulated(Bind());
    EXPECT_TRUE(dialogs->Messages().isEmpty());
    EXPECT_TRUE(DriverCalls().empty());
}

TEST_F(BindingTest, AcceptAllAsksEvenForOneInstrument) {
    dialogs->AnswerSelection(QStringLiteral("VXI0::24::INSTR"));
    ExpectLive(Bind(QStringLiteral("qot7720-sfp -N")), QStringLiteral("VXI0::24"));
    ASSERT_EQ(dialogs->Count(DialogEvent::SelectInstrument), 1);
    EXPECT_EQ(dialogs->Events()[0].text, QStringLiteral("VXI0::24::INSTR"));
}

TEST_F(BindingTest, AcceptAllTakesResourcesWithoutIdentifying) {
    simulator.VisaDirective("add-resource GPIB0::3::INSTR GPIB \"OTHER MAKER,DMM,1,2\"");
    simulator.VisaDirective("add-resource TCPIP0::10.0.0.5::INSTR TCPIP");
    dialogs->AnswerSelection(std::nullopt);
    Bind(QStringLiteral("/n"));
    ASSERT_EQ(dialogs->Count(DialogEvent::SelectInstrument), 1);
    EXPECT_EQ(dialogs->Events()[0].text,
              QStringLiteral("VXI0::24::INSTR|GPIB0::3::INSTR|TCPIP0::10.0.0.5::INSTR"));
    EXPECT_FALSE(HasLineStarting(VisaCalls(), "viWrite")) << "nothing is identified";
}

TEST_F(BindingTest, AddressOptionSkipsTheSearch) {
    simulator.Both(kGpibInstrument);
    const BindingResult result = Bind(QStringLiteral("/A GPIB0::9::INSTR"));
    ExpectLive(result, QStringLiteral("GPIB0::9"));
    EXPECT_FALSE(HasLineStarting(VisaCalls(), "viFindRsrc"));
    EXPECT_TRUE(HasLineStarting(DriverCalls(), "qot7720_init \"GPIB0::9::INSTR\" 0 0"));
}

TEST_F(BindingTest, AddressOptionIsUpperCased) {
    simulator.Both(kGpibInstrument);
    ExpectLive(Bind(QStringLiteral("-a   gpib0::9::instr -r")), QStringLiteral("GPIB0::9"));
    EXPECT_TRUE(HasLineStarting(DriverCalls(), "qot7720_init \"GPIB0::9::INSTR\" 0 1"));
}

TEST_F(BindingTest, OptionLettersInsideTheResourceNameSetNothing) {
    simulator.Both("add-resource TCPIP0::lab-rack::INSTR tcpip \"QUORVALE-ORBANT,T7720,0,A\"");
    ExpectLive(Bind(QStringLiteral("-a TCPIP0::lab-rack::INSTR")),
               QStringLiteral("TCPIP0::LAB-RACK"));
    EXPECT_EQ(DriverCalls().front(), "qot7720_init \"TCPIP0::lab-rack::INSTR\" 0 0")
        << "no reset that the operator did not ask for";
    EXPECT_TRUE(dialogs->Events().empty()) << "no accept-all choice either";
}

TEST_F(BindingTest, SerialDevicePathKeepsItsCase) {
    simulator.Both("add-resource ASRL/dev/ttyUSB0::INSTR asrl \"QUORVALE-ORBANT,T7720,0,A\"");
    Bind(QStringLiteral("-a ASRL/dev/ttyUSB0::INSTR"));
    EXPECT_TRUE(HasLineStarting(DriverCalls(), "qot7720_init \"ASRL/dev/ttyUSB0::INSTR\" 0 0"));
}

TEST_F(BindingTest, AddressOptionWithoutResourceIsRefusedAndDiscoveryRuns) {
    testing::internal::CaptureStderr();
    const BindingResult result = Bind(QStringLiteral("-a"));
    const std::string error = testing::internal::GetCapturedStderr();
    EXPECT_NE(error.find("-a needs a VISA resource name"), std::string::npos) << error;
    ExpectLive(result, QStringLiteral("VXI0::24"));
    EXPECT_TRUE(HasLineStarting(VisaCalls(), "viFindRsrc"));
    EXPECT_FALSE(HasLineStarting(DriverCalls(), "qot7720_init \"\""));
}

TEST_F(BindingTest, GpibIdentificationAcceptsOnlyTheExpectedBeginning) {
    simulator.Both("clear-resources");
    simulator.Both("add-resource GPIB0::10::INSTR GPIB \"QUORVALE-ORBANT,T7700,US1,A.01\"");
    simulator.Both(kGpibInstrument);
    ExpectLive(Bind(), QStringLiteral("GPIB0::9"));
    EXPECT_EQ(dialogs->Count(DialogEvent::SelectInstrument), 0);
    const std::vector<string> visa = VisaCalls();
    EXPECT_EQ(CountLinesStarting(visa, "viWrite"), 2);
    for (const string& line : visa) {
        if (line.rfind("viWrite", 0) == 0) {
            EXPECT_NE(line.find(" \"*IDN?\" 5"), string::npos) << line;
        }
        if (line.rfind("viRead", 0) == 0) {
            EXPECT_EQ(line.substr(line.rfind(' ')), " 100") << line;
        }
    }
}

TEST_F(BindingTest, VxiIdentificationNeedsBothCodes) {
    simulator.Both("clear-resources");
    simulator.Both("add-resource VXI0::1::INSTR VXI 0x0FFB 0x0720");
    simulator.Both("add-resource VXI0::2::INSTR VXI 0x0FFA 0x0721");
    simulator.Both("add-resource GPIB-VXI0::3::INSTR GPIB-VXI 0x0FFA 0x0720 SLOT=7 LA=3");
    simulator.Both("add-resource ASRL1::INSTR ASRL \"QUORVALE-ORBANT,T7720,1,A\"");
    const BindingResult result = Bind();
    ExpectLive(result, QStringLiteral("GPIB-VXI0::3"));
    EXPECT_EQ(result.vxiSlot, 7);
    EXPECT_EQ(result.vxiLogicalAddress, 3);
    EXPECT_EQ(dialogs->Count(DialogEvent::SelectInstrument), 0);
}

TEST_F(BindingTest, ResourceThatDoesNotOpenIsSkipped) {
    simulator.Both("clear-resources");
    simulator.Both(kGpibInstrument);
    simulator.Both("add-resource GPIB0::10::INSTR GPIB \"QUORVALE-ORBANT,T7720,US2,A.01\"");
    simulator.VisaDirective("fail-next GPIB0::9::INSTR 0xBFFF0011");
    ExpectLive(Bind(), QStringLiteral("GPIB0::10"));
    EXPECT_EQ(dialogs->Count(DialogEvent::SelectInstrument), 0);
}

TEST_F(BindingTest, ResourceWithoutInterfaceTypeIsSkipped) {
    simulator.Both("clear-resources");
    simulator.Both(kGpibInstrument);
    simulator.Both("add-resource GPIB0::10::INSTR GPIB \"QUORVALE-ORBANT,T7720,US2,A.01\"");
    simulator.VisaDirective("fail-next viGetAttribute 0xBFFF001D");
    ExpectLive(Bind(), QStringLiteral("GPIB0::10"));
}

// Every VISA object binding opens is closed, each resource's session before
// the next resource is opened.
TEST_F(BindingTest, EverySessionIsClosed) {
    simulator.Both(kGpibInstrument);
    simulator.VisaDirective("add-resource GPIB0::3::INSTR GPIB \"OTHER MAKER,DMM,1,2\"");
    simulator.VisaDirective("add-resource VXI0::8::INSTR VXI 0x0001 0x0002");
    Bind();
    std::set<string> open;
    std::set<string> managersAndLists;
    int resourcesOpened = 0;
    for (const string& line : VisaCalls()) {
        std::istringstream words(line);
        string function;
        string object;
        words >> function >> object;
        if (function == "viOpen") {
            EXPECT_TRUE(open.empty()) << "still open when the next resource is tried";
            managersAndLists.insert(object);
            ++resourcesOpened;
        } else if (function == "viFindRsrc" || function == "viFindNext") {
            managersAndLists.insert(object);
        } else if (function == "viGetAttribute" || function == "viWrite" || function == "viRead") {
            open.insert(object);
        } else if (function == "viClose") {
            open.erase(object);
            managersAndLists.erase(object);
        }
    }
    EXPECT_EQ(resourcesOpened, 5) << "four resources and the chosen one";
    EXPECT_TRUE(open.empty());
    EXPECT_TRUE(managersAndLists.empty()) << "resource manager and find list";
}

// ---- what binding keeps for the Connection dialog and line --------------------------

TEST_F(BindingTest, FactsTellTheLibrariesTheResourceAndWhyTheProgramEmulates) {
    const BindingResult live = Bind();
    ExpectLive(live, QStringLiteral("VXI0::24"));
    EXPECT_EQ(live.facts.visaPath, SimulatorLibraries::Path(SimulatorLibraries::kVisa));
    EXPECT_EQ(live.facts.driverPath, SimulatorLibraries::Path(SimulatorLibraries::kDriver));
    EXPECT_EQ(live.facts.resource, QStringLiteral("VXI0::24::INSTR"));
    EXPECT_EQ(live.facts.initStatus, 0);
    EXPECT_EQ(live.facts.timeoutMilliseconds, 30000);
    EXPECT_TRUE(live.facts.emulationReason.isEmpty());
    ASSERT_NE(live.facts.visaLibrary, nullptr);
    const ResourceManagerInfo manager = ReadResourceManagerInfo(*live.facts.visaLibrary);
    EXPECT_EQ(manager.manufacturer, QStringLiteral("QOT7720 simulator VISA"));
    EXPECT_EQ(manager.standardVersion, 0x00700000u);
    EXPECT_EQ(VisaVersionText(*manager.standardVersion), "7.0.0 (0x00700000)");

    simulator.DriverDirective("fail-next qot7720_init 0xBFFF0011");
    const BindingResult failed = Bind();
    ExpectEmulated(failed);
    EXPECT_EQ(failed.facts.initStatus, static_cast<std::int32_t>(0xBFFF0011u));
    EXPECT_EQ(failed.facts.emulationReason, "qot7720_init returned 0xbfff0011");

    qputenv("QOT7720_VISA_LIBRARY", "/nonexistent/libvisa.so");
    const BindingResult missing = Bind();
    EXPECT_EQ(missing.facts.visaNamesTried, QStringList{"/nonexistent/libvisa.so"});
    EXPECT_FALSE(missing.facts.loaderMessage.isEmpty());
    EXPECT_EQ(missing.facts.visaLibrary, nullptr);
    EXPECT_EQ(missing.facts.emulationReason, "the VISA library was not found");
}

TEST_F(BindingTest, RememberedResourceIsOpenedUnlessTheCommandLineDecides) {
    simulator.Both("add-resource VXI0::40::INSTR vxi 0x0FFA 0x0720 slot=5 la=40");
    const QString remembered = QStringLiteral("VXI0::40::INSTR");
    ExpectLive(Bind(QString(), remembered), QStringLiteral("VXI0::40"));
    EXPECT_FALSE(HasLineStarting(VisaCalls(), "viFindRsrc"));
    // -a wins; -n always lets the operator choose.
    ExpectLive(Bind(QStringLiteral("-a VXI0::24::INSTR"), remembered), QStringLiteral("VXI0::24"));
    dialogs->AnswerSelection(QStringLiteral("VXI0::24::INSTR"));
    ExpectLive(Bind(QStringLiteral("-n"), remembered), QStringLiteral("VXI0::24"));
    EXPECT_EQ(dialogs->Count(DialogEvent::SelectInstrument), 1);
    // A resource that is gone no longer opens: discovery runs as without it.
    simulator.Both("clear-resources");
    simulator.Both("add-resource VXI0::24::INSTR vxi 0x0FFA 0x0720 slot=3 la=24");
    const BindingResult rediscovered = Bind(QString(), remembered);
    ExpectLive(rediscovered, QStringLiteral("VXI0::24"));
    EXPECT_TRUE(HasLineStarting(VisaCalls(), "viFindRsrc"));
    EXPECT_EQ(rediscovered.facts.resource, QStringLiteral("VXI0::24::INSTR"));
}

// ---- location -------------------------------------------------------------------

TEST_F(BindingTest, UnreadableSlotAndAddressStayUnknown) {
    simulator.Both("clear-resources");
    simulator.Both("add-resource VXI0::9::INSTR VXI 0x0FFA 0x0720");
    const BindingResult result = Bind();
    ExpectLive(result, QStringLiteral("VXI0::9"));
    EXPECT_EQ(result.vxiSlot, 32000);
    EXPECT_EQ(result.vxiLogicalAddress, 32000);
}

TEST_F(BindingTest, LocationSessionThatDoesNotOpenLeavesBothUnknown) {
    simulator.VisaDirective("fail-next viOpen 0xBFFF0011");
    const BindingResult result = Bind(QStringLiteral("/a VXI0::24::INSTR"));
    ExpectLive(result, QStringLiteral("VXI0::24"));
    EXPECT_EQ(result.vxiSlot, 32000);
    EXPECT_EQ(result.vxiLogicalAddress, 32000);
}

// ---- the shell ends on the fatal path -------------------------------------------

TEST_F(BindingTest, MissingExportShowsFatalMessageAndEndsTheProgram) {
    qputenv("QOT7720_DRIVER_LIBRARY",
            SimulatorLibraries::Path(SimulatorLibraries::kDriverWithoutRevision).toLocal8Bit());
    CSfpApp app;
    auto* window = new CMainWnd;
    EXPECT_FALSE(window->Initialize());
    EXPECT_EQ(dialogs->Messages(), QStringList{kFatal});
    EXPECT_TRUE(app.MainWindowDestroyed());
    EXPECT_EQ(app.instrument, nullptr) << "no emulation fallback";
    EXPECT_TRUE(app.panels.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A start on the resource already remembered leaves the settings file as it
// was (writing it syncs it to the disk); another resource replaces it.
TEST_F(BindingTest, TheLastResourceIsWrittenOnlyWhenItChanged) {
    const auto startOnce = [] {
        CSfpApp app;
        auto* window = new CMainWnd;
        EXPECT_TRUE(window->Initialize());
        EXPECT_EQ(app.instrumentAddress, QStringLiteral("VXI0::24"));
        app.readingMode.store(kReadingIdle);
        delete window;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    const QString key = QStringLiteral("connection/lastResource");
    QSettings().setValue(key, QStringLiteral("VXI0::77::INSTR"));
    startOnce();
    EXPECT_EQ(QSettings().value(key).toString(), QStringLiteral("VXI0::24::INSTR"));

    const QString path = QSettings().fileName();
    const QDateTime longAgo = QDateTime::currentDateTime().addDays(-1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(longAgo, QFileDevice::FileModificationTime));
    file.close();
    startOnce();
    EXPECT_EQ(QFileInfo(path).lastModified().toSecsSinceEpoch(), longAgo.toSecsSinceEpoch())
        << "the settings file was written again";
}

// ---- options and names ------------------------------------------------------------

struct OptionsRow {
    const char* commandLine;
    std::optional<const char*> address;
    bool acceptAll;
    bool reset;
};

TEST(CommandLineOptions, CountOnlyAsWholeWordsInEitherCase) {
    const OptionsRow rows[] = {
        {"", std::nullopt, false, false},
        {"/a gpib0::9::instr", "GPIB0::9::INSTR", false, false},
        {"-A   VXI0::24::INSTR -n", "VXI0::24::INSTR", true, false},
        {"\t-a\t VXI0::24::INSTR\t\t-r ", "VXI0::24::INSTR", false, true},
        {"-a first /a second", "second", false, false},
        {"/a first -a second", "first", false, false},
        {"/N", std::nullopt, true, false},
        {"-R", std::nullopt, false, true},
        {"x/rx", std::nullopt, false, false},
        {"-a TCPIP0::lab-rack::INSTR", "TCPIP0::lab-rack::INSTR", false, false},
        {"-a TCPIP0::bench-north::INSTR", "TCPIP0::bench-north::INSTR", false, false},
        {"-a ASRL/dev/ttyUSB0::INSTR", "ASRL/dev/ttyUSB0::INSTR", false, false},
        {"-a gpib-vxi0::40::instr", "GPIB-VXI0::40::INSTR", false, false},
        {"/a", std::nullopt, false, false},
        {"-r -a", std::nullopt, false, true},
        {"-ax VXI0::24::INSTR", std::nullopt, false, false},
    };
    for (const OptionsRow& row : rows) {
        const CommandLineOptions options = ParseCommandLine(QString::fromLatin1(row.commandLine));
        EXPECT_EQ(options.address.has_value(), row.address.has_value()) << row.commandLine;
        if (options.address && row.address) {
            EXPECT_EQ(*options.address, QString::fromLatin1(*row.address)) << row.commandLine;
        }
        EXPECT_EQ(options.acceptAll, row.acceptAll) << row.commandLine;
        EXPECT_EQ(options.reset, row.reset) << row.commandLine;
    }
}

TEST(InstrumentAddress, IsUpperCasedAndCutBeforeInstr) {
    const std::pair<const char*, const char*> rows[] = {
        {"gpib0::9::instr", "GPIB0::9"},
        {"VXI0::24", "VXI0::24"},
        {"::INSTR", "::INSTR"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(InstrumentAddress(QString::fromLatin1(row.first)),
                  QString::fromLatin1(row.second));
    }
    const QString longName = QString(100, QLatin1Char('A')) + QStringLiteral("::INSTR");
    EXPECT_EQ(InstrumentAddress(longName), longName) << "cut only within the first 99 characters";
}

TEST(LibraryNames, EnvironmentPathTakesPrecedence) {
    qputenv("QOT7720_VISA_LIBRARY", "/opt/visa/lib/libvisa.so");
    qputenv("QOT7720_DRIVER_LIBRARY", "/opt/qot/libqot7720_32.so");
    EXPECT_EQ(VisaLibraryNames(), QStringList{QStringLiteral("/opt/visa/lib/libvisa.so")});
    EXPECT_EQ(DriverLibraryNames(), QStringList{QStringLiteral("/opt/qot/libqot7720_32.so")});
    qunsetenv("QOT7720_VISA_LIBRARY");
    qunsetenv("QOT7720_DRIVER_LIBRARY");
    EXPECT_EQ(VisaLibraryNames(),
              (QStringList{QStringLiteral("libvisa.so"), QStringLiteral("libvisa.so.7"),
                           QStringLiteral("librsvisa.so"), QStringLiteral("libiovisa.so")}));
    EXPECT_EQ(DriverLibraryNames(), QStringList{QStringLiteral("libqot7720_32.so")});
}

}  // namespace
