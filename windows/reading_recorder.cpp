#include "reading_recorder.h"

#include "app/reading_text.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <ctime>

namespace sfp {

namespace {

std::string Folder(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// `digits` decimal digits of `value`, zero-padded, from `at`.
void PutDigits(char* at, std::int64_t value, int digits) {
    for (int i = digits - 1; i >= 0; --i) {
        at[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

std::int64_t FloorDivide(std::int64_t value, std::int64_t by) {
    const std::int64_t quotient = value / by;
    return quotient * by > value ? quotient - 1 : quotient;
}

}  // namespace

// Put together by hand: formatting through a date-time class cost more than
// writing the row it begins.
std::string_view ReadingRecorder::IsoTime(std::int64_t utcMs, char (&text)[kIsoTimeSize]) {
    const std::int64_t seconds = FloorDivide(utcMs, 1000);
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    gmtime_r(&time, &parts);
    std::memcpy(text, "0000-00-00T00:00:00.000Z", kIsoTimeSize);
    PutDigits(text, parts.tm_year + 1900, 4);
    PutDigits(text + 5, parts.tm_mon + 1, 2);
    PutDigits(text + 8, parts.tm_mday, 2);
    PutDigits(text + 11, parts.tm_hour, 2);
    PutDigits(text + 14, parts.tm_min, 2);
    PutDigits(text + 17, parts.tm_sec, 2);
    PutDigits(text + 20, utcMs - seconds * 1000, 3);
    return {text, kIsoTimeSize};
}

std::optional<std::string> ReadingRecorder::CheckTarget(const std::string& path,
                                                        bool replaceExisting) {
    if (::access(path.c_str(), F_OK) == 0) {
        if (!replaceExisting) {
            return "The file " + path + " already exists.";
        }
        if (::access(path.c_str(), W_OK) != 0) {
            return "The file " + path + " cannot be written.";
        }
        return std::nullopt;
    }
    if (::access(Folder(path).c_str(), W_OK) != 0) {
        return "The folder " + Folder(path) + " cannot be written.";
    }
    return std::nullopt;
}

ReadingRecorder::~ReadingRecorder() {
    Stop();
}

std::string ReadingRecorder::Start(const std::string& path, const Header& header) {
    Stop();
    failure_.clear();
    rows_ = 0;
    bytes_ = 0;
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        return failure_ = "Cannot open " + path + ": " + std::strerror(errno);
    }
    path_ = path;
    line_ = "# version " + header.version + "\n# resource " + header.resource + "\n# start " +
            header.startTime + "\ntime,seconds";
    for (const int element : header.elements) {
        line_ += "," + std::to_string(element);
    }
    line_ += ",status\n";
    Emit();
    return failure_;
}

void ReadingRecorder::BeginRow(std::string_view isoTime, double secondsSinceStart) {
    line_.assign(isoTime);
    char text[32];
    const auto seconds =
        std::to_chars(text, text + sizeof text, secondsSinceStart, std::chars_format::fixed, 3);
    line_ += ',';
    line_.append(text, seconds.ptr);
}

bool ReadingRecorder::WriteRow(std::string_view isoTime, double secondsSinceStart,
                               const std::vector<double>& values) {
    BeginRow(isoTime, secondsSinceStart);
    for (const double value : values) {
        line_ += ',';
        AppendShortestText(line_, value);
    }
    line_ += ",\n";
    return Emit() && ++rows_;
}

bool ReadingRecorder::WriteFailedRow(std::string_view isoTime, double secondsSinceStart,
                                     std::size_t count, std::string_view statusName) {
    BeginRow(isoTime, secondsSinceStart);
    line_.append(count + 1, ',');
    line_ += statusName;
    line_ += '\n';
    return Emit() && ++rows_;
}

// One write per line, as a rule: a short write is finished by more.
bool ReadingRecorder::Emit() {
    if (fd_ < 0) {
        return false;
    }
    std::size_t done = 0;
    while (done < line_.size()) {
        const ssize_t written = ::write(fd_, line_.data() + done, line_.size() - done);
        if (written > 0) {
            done += static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR) {
            continue;
        }
        failure_ = "Recording to " + path_ +
                   " stopped: " + std::strerror(written < 0 && errno != 0 ? errno : EIO);
        Stop();
        return false;
    }
    bytes_ += static_cast<long long>(line_.size());
    return true;
}

bool ReadingRecorder::WriteComment(const std::string& text) {
    line_ = "# " + text + "\n";
    return Emit();
}

void ReadingRecorder::Stop() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

}  // namespace sfp
