#pragma once
// The bundled simulator libraries as the front panel loads them: their paths,
// their control function, and the call log both write to. Each test gets the
// simulators back in their defaults and a log of its own.

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

class SimulatorLibraries {
public:
    enum Library { kVisa, kDriver, kDriverWithoutRevision };

    static QString Directory();
    static QString Path(Library library);

    // Loads the VISA and the driver simulator, resets both, logs into a new
    // file and points QOT7720_VISA_LIBRARY and QOT7720_DRIVER_LIBRARY at them.
    SimulatorLibraries();
    ~SimulatorLibraries();
    SimulatorLibraries(const SimulatorLibraries&) = delete;
    SimulatorLibraries& operator=(const SimulatorLibraries&) = delete;

    // Applies a directive to one simulator; its result (0 on success).
    int Control(Library library, const std::string& directive);
    // Applies a directive to the VISA and the driver simulator and expects success.
    void Both(const std::string& directive);
    void VisaDirective(const std::string& directive);
    void DriverDirective(const std::string& directive);

    // Every line logged so far, and those logged after `mark` (a count of lines).
    std::vector<std::string> Log() const;
    std::vector<std::string> LogSince(std::size_t mark) const;
    std::size_t LogMark() const { return Log().size(); }
    // The logged calls of the driver, or of VISA, in order.
    std::vector<std::string> DriverCalls(std::size_t mark = 0) const;
    std::vector<std::string> VisaCalls(std::size_t mark = 0) const;
    QString TemporaryPath(const QString& name) const { return directory_.filePath(name); }

private:
    // The loader's own handle: it keeps a simulator mapped, and its state
    // alive, while the front panel loads and releases the same file.
    struct Handle {
        void* library = nullptr;
        ~Handle();
    };

    Handle& Loaded(Library library);

    QTemporaryDir directory_;
    QString logPath_;
    Handle handles_[3];
};

// True when `lines` holds a line that begins with `prefix`.
bool HasLineStarting(const std::vector<std::string>& lines, const std::string& prefix);
int CountLinesStarting(const std::vector<std::string>& lines, const std::string& prefix);

class CSfpApp;
class LiveInstrument;
class RecordingSession;

// The resource of the simulators' default QOT7720.
constexpr char kDefaultResource[] = "VXI0::24::INSTR";

// A live instrument on the simulated QOT7720 of `driverPath`, with its
// session opened as binding opens it (time-out 30000, error query on).
std::unique_ptr<LiveInstrument> OpenLiveInstrument(const QString& driverPath);

// Gives `app` that live instrument on the bundled simulated driver in place
// of its recording session, which goes with it; true when it opened.
bool UseSimulatedInstrument(CSfpApp& app, RecordingSession*& session);
