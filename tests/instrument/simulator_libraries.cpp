#include "simulator_libraries.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <fstream>

#include "app/sfp_app.h"
#include "instrument/driver_functions.h"
#include "instrument/live_instrument.h"
#include "instrument/loaded_library.h"

namespace {

using ControlFn = int (*)(const char*);

std::vector<std::string> Filtered(const std::vector<std::string>& lines, const char* prefix) {
    std::vector<std::string> result;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(result),
                 [prefix](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    return result;
}

}  // namespace

QString SimulatorLibraries::Directory() {
    const QString configured = qEnvironmentVariable("SFP_SIM_DIR");
    if (!configured.isEmpty()) {
        return configured;
    }
    // Run by hand from the build tree: tests/ sits beside sim/.
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../sim"));
}

QString SimulatorLibraries::Path(Library library) {
    static const char* const names[] = {"libvisa.so", "libqot7720_32.so",
                                        "libqot7720_32_norevision.so"};
    return QDir(Directory()).absoluteFilePath(QString::fromLatin1(names[library]));
}

SimulatorLibraries::SimulatorLibraries() {
    logPath_ = directory_.filePath(QStringLiteral("calls.log"));
    qputenv("QOT7720_VISA_LIBRARY", Path(kVisa).toLocal8Bit());
    qputenv("QOT7720_DRIVER_LIBRARY", Path(kDriver).toLocal8Bit());
    for (Library library : {kVisa, kDriver}) {
        EXPECT_EQ(Control(library, "reset"), 0);
        EXPECT_EQ(Control(library, "log \"" + logPath_.toStdString() + "\""), 0);
    }
}

SimulatorLibraries::~SimulatorLibraries() {
    for (Library library : {kVisa, kDriver, kDriverWithoutRevision}) {
        if (Loaded(library).library != nullptr) {
            Control(library, "log off");
            Control(library, "reset");
        }
    }
}

SimulatorLibraries::Handle::~Handle() {
    if (library != nullptr) {
        dlclose(library);
    }
}

SimulatorLibraries::Handle& SimulatorLibraries::Loaded(Library library) {
    return handles_[library];
}

int SimulatorLibraries::Control(Library library, const std::string& directive) {
    Handle& handle = Loaded(library);
    if (handle.library == nullptr) {
        handle.library = dlopen(Path(library).toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    }
    if (handle.library == nullptr) {
        ADD_FAILURE() << "simulator library missing: " << Path(library).toStdString();
        return -1;
    }
    const auto control = reinterpret_cast<ControlFn>(dlsym(handle.library, "qot7720_sim_control"));
    return control != nullptr ? control(directive.c_str()) : -1;
}

void SimulatorLibraries::Both(const std::string& directive) {
    VisaDirective(directive);
    DriverDirective(directive);
}

void SimulatorLibraries::VisaDirective(const std::string& directive) {
    EXPECT_EQ(Control(kVisa, directive), 0) << directive;
}

void SimulatorLibraries::DriverDirective(const std::string& directive) {
    EXPECT_EQ(Control(kDriver, directive), 0) << directive;
}

std::vector<std::string> SimulatorLibraries::Log() const {
    std::vector<std::string> lines;
    std::ifstream file(logPath_.toStdString());
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> SimulatorLibraries::LogSince(std::size_t mark) const {
    const std::vector<std::string> lines = Log();
    return std::vector<std::string>(lines.begin() + static_cast<long>(std::min(mark, lines.size())),
                                    lines.end());
}

std::vector<std::string> SimulatorLibraries::DriverCalls(std::size_t mark) const {
    return Filtered(LogSince(mark), "qot7720_");
}

std::vector<std::string> SimulatorLibraries::VisaCalls(std::size_t mark) const {
    return Filtered(LogSince(mark), "vi");
}

bool HasLineStarting(const std::vector<std::string>& lines, const std::string& prefix) {
    return CountLinesStarting(lines, prefix) > 0;
}

int CountLinesStarting(const std::vector<std::string>& lines, const std::string& prefix) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.rfind(prefix, 0) == 0;
    }));
}

std::unique_ptr<LiveInstrument> OpenLiveInstrument(const QString& driverPath) {
    std::unique_ptr<LoadedLibrary> library = LoadedLibrary::LoadFirst({driverPath});
    DriverOpenFunctions open;
    if (!library || BindDriverOpenFunctions(*library, open)) {
        ADD_FAILURE() << "cannot open the simulated driver " << driverPath.toStdString();
        return nullptr;
    }
    ViSession session = 0;
    EXPECT_EQ(open.init(kDefaultResource, 0, 0, &session), 0);
    open.timeOut(session, 30000);
    open.errorQueryDetect(session, 1);
    return std::make_unique<LiveInstrument>(session, std::move(library));
}

bool UseSimulatedInstrument(CSfpApp& app, RecordingSession*& session) {
    app.instrument = OpenLiveInstrument(SimulatorLibraries::Path(SimulatorLibraries::kDriver));
    session = nullptr;
    return app.instrument != nullptr;
}
