// life_bench's counter: the CPU time of each process named on the command
// line, in nanoseconds, one line each ("-" for a process that has gone).
// The process CPU-time clock sums every thread the process ever had, also
// the auto-update workers that end after each cycle, which a per-thread
// counter such as /proc/<pid>/schedstat or task/*/schedstat would lose.
//
// usage: process_cpu_time PID...

#include <sys/types.h>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

bool ProcessCpuNanoseconds(pid_t pid, long long& nanoseconds) {
    clockid_t clock = 0;
    timespec value{};
    if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &value) != 0) {
        return false;
    }
    nanoseconds = static_cast<long long>(value.tv_sec) * 1000000000LL + value.tv_nsec;
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PID...\n", argv[0]);
        return 2;
    }
    int gone = 0;
    for (int i = 1; i < argc; ++i) {
        long long nanoseconds = 0;
        if (ProcessCpuNanoseconds(static_cast<pid_t>(std::atoll(argv[i])), nanoseconds)) {
            std::printf("%lld\n", nanoseconds);
        } else {
            std::printf("-\n");
            ++gone;
        }
    }
    return gone == 0 ? 0 : 1;
}
