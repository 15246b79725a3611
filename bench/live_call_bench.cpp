// What the live instrument's guarded call costs on top of the driver call it
// makes: the same driver function called directly and through LiveInstrument,
// both into the bundled simulator (build/sim, or SFP_SIM_DIR); the guarded
// calls with the I/O record off and on.

#include <benchmark/benchmark.h>

#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "instrument/driver_functions.h"
#include "instrument/io_record.h"
#include "instrument/live_instrument.h"
#include "instrument/loaded_library.h"

namespace {

QString DriverPath() {
    const char* configured = std::getenv("SFP_SIM_DIR");
    const std::filesystem::path directory =
        configured != nullptr
            ? std::filesystem::path(configured)
            : std::filesystem::read_symlink("/proc/self/exe").parent_path() / ".." / "sim";
    return QString::fromStdString((directory / "libqot7720_32.so").string());
}

// One simulated QOT7720, opened once as binding opens it.
struct Bench {
    Bench() {
        std::unique_ptr<LoadedLibrary> library = LoadedLibrary::LoadFirst({DriverPath()});
        if (!library || BindDriverOpenFunctions(*library, open) ||
            BindDriverFunctions(*library, direct)) {
            return;
        }
        open.init("VXI0::24::INSTR", 0, 0, &session);
        open.timeOut(session, 30000);
        open.errorQueryDetect(session, 1);
        // The instrument's functions stay resolved: the live instrument keeps the library.
        live = std::make_unique<LiveInstrument>(session, std::move(library));
        WarmUp();
    }

    // The simulated instrument settles after power-on; no figure should include that.
    void WarmUp() {
        constexpr int kCalls = 20000;
        for (int call = 0; call < kCalls; ++call) {
            ViInt32 answer = 0;
            direct.cmdInt32Q(session, "*STB?", &answer);
        }
    }

    DriverOpenFunctions open;
    DriverFunctions direct;
    ViSession session = 0;
    std::unique_ptr<LiveInstrument> live;
};

Bench& Simulator() {
    static Bench bench;
    return bench;
}

// Argument 1: every call goes into the I/O record, with an origin as the
// reading worker sets one; 0: the record is off.
struct RecordingFor {
    explicit RecordingFor(const benchmark::State& state)
        : origin(state.range(0) != 0 ? "Main \u00b7 Auto Update" : "") {
        iorecord::Record().SetRecording(state.range(0) != 0);
    }
    ~RecordingFor() { iorecord::Record().SetRecording(true); }
    iorecord::OriginScope origin;
};

bool Ready(benchmark::State& state) {
    if (!Simulator().live) {
        state.SkipWithError("simulator driver library not found (build target qot7720_32)");
        return false;
    }
    return true;
}

void DirectStatusByteQuery(benchmark::State& state) {
    if (!Ready(state)) {
        return;
    }
    Bench& bench = Simulator();
    for (auto _ : state) {
        ViInt32 answer = 0;
        benchmark::DoNotOptimize(bench.direct.cmdInt32Q(bench.session, "*STB?", &answer));
        benchmark::DoNotOptimize(answer);
    }
}
BENCHMARK(DirectStatusByteQuery);

void GuardedStatusByteQuery(benchmark::State& state) {
    if (!Ready(state)) {
        return;
    }
    LiveInstrument& live = *Simulator().live;
    const RecordingFor recording(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(live.QueryStatusByte());
    }
}
BENCHMARK(GuardedStatusByteQuery)->ArgName("recording")->Arg(0)->Arg(1);

// A driver call without SCPI parsing, so that the guard's share shows.
void DirectTimeOut(benchmark::State& state) {
    if (!Ready(state)) {
        return;
    }
    Bench& bench = Simulator();
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.direct.timeOut(bench.session, 30000));
    }
}
BENCHMARK(DirectTimeOut);

void GuardedTimeOut(benchmark::State& state) {
    if (!Ready(state)) {
        return;
    }
    LiveInstrument& live = *Simulator().live;
    const RecordingFor recording(state);
    for (auto _ : state) {
        live.SetTimeout(30000);
    }
}
BENCHMARK(GuardedTimeOut)->ArgName("recording")->Arg(0)->Arg(1);

void ReadCvtOfTen(benchmark::State& state) {
    if (!Ready(state)) {
        return;
    }
    LiveInstrument& live = *Simulator().live;
    const RecordingFor recording(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(live.ReadCvt(0, 10));
    }
}
BENCHMARK(ReadCvtOfTen)->ArgName("recording")->Arg(0)->Arg(1);

void DirectReadCvtOfTen(benchmark::State& state) {
    if (!Ready(state)) {
        return;
    }
    Bench& bench = Simulator();
    for (auto _ : state) {
        ViReal64 values[10];
        benchmark::DoNotOptimize(bench.direct.cmd(bench.session, "FORM PACK, 64"));
        benchmark::DoNotOptimize(bench.direct.readCvtQ(bench.session, 0, 10, values));
        benchmark::DoNotOptimize(values);
    }
}
BENCHMARK(DirectReadCvtOfTen);

// Keeps each run's CPU time per iteration, by name, for the ratios below.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                times_[run.run_name.str()].push_back(run.GetAdjustedCPUTime());
            }
        }
    }

    // The recording's cost as the ratio of the fastest repetitions, on to
    // off: the least disturbed runs of a shared machine.
    void PrintRatios() const {
        std::printf("\nrecording on / off (fastest repetition of each; target within 1.05x)\n");
        for (const char* call : {"GuardedStatusByteQuery", "GuardedTimeOut", "ReadCvtOfTen"}) {
            const auto off = times_.find(std::string(call) + "/recording:0");
            const auto on = times_.find(std::string(call) + "/recording:1");
            if (off == times_.end() || on == times_.end()) {
                continue;
            }
            const double fastestOff = *std::min_element(off->second.begin(), off->second.end());
            const double fastestOn = *std::min_element(on->second.begin(), on->second.end());
            std::printf("  %-24s %8.1f ns -> %8.1f ns  %.3fx\n", call, fastestOff, fastestOn,
                        fastestOn / fastestOff);
        }
    }

private:
    std::map<std::string, std::vector<double>> times_;
};

}  // namespace

// Repeated and interleaved unless the command line says otherwise, so that
// the ratios come from one run under the same load.
int main(int argc, char** argv) {
    std::vector<char*> arguments(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=7";
    std::string interleaving = "--benchmark_enable_random_interleaving=true";
    std::string minTime = "--benchmark_min_time=0.2";
    for (std::string* option : {&repetitions, &interleaving, &minTime}) {
        arguments.insert(arguments.begin() + 1, option->data());
    }
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
