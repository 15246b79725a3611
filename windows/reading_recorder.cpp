#include "reading_recorder.h"

#include "app/reading_text.h"

#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace sfp {

namespace {

std::string Folder(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds);
    return text;
}

}  // namespace

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

std::string ReadingRecorder::Start(const std::string& path, const Header& header) {
    Stop();
    failure_.clear();
    rows_ = 0;
    bytes_ = 0;
    file_.reset(std::fopen(path.c_str(), "w"));
    if (!file_) {
        return failure_ = "Cannot open " + path + ": " + std::strerror(errno);
    }
    path_ = path;
    std::string text = "# version " + header.version + "\n# resource " + header.resource +
                       "\n# start " + header.startTime + "\ntime,seconds";
    for (const int element : header.elements) {
        text += "," + std::to_string(element);
    }
    Emit(text + ",status\n");
    return failure_;
}

bool ReadingRecorder::WriteRow(const std::string& isoTime, double secondsSinceStart,
                               const std::vector<double>& values) {
    std::string line = isoTime + "," + Seconds(secondsSinceStart);
    for (const double value : values) {
        line += "," + ShortestText(value);
    }
    return Emit(line + ",\n") && ++rows_;
}

bool ReadingRecorder::WriteFailedRow(const std::string& isoTime, double secondsSinceStart,
                                     std::size_t count, const std::string& statusName) {
    const std::string line =
        isoTime + "," + Seconds(secondsSinceStart) + std::string(count, ',') + "," + statusName;
    return Emit(line + "\n") && ++rows_;
}

bool ReadingRecorder::Emit(const std::string& line) {
    if (!file_) {
        return false;
    }
    errno = 0;
    const bool ok = std::fwrite(line.data(), 1, line.size(), file_.get()) == line.size() &&
                    std::fflush(file_.get()) == 0;
    if (ok) {
        bytes_ += static_cast<long long>(line.size());
        return true;
    }
    failure_ = "Recording to " + path_ + " stopped: " + std::strerror(errno ? errno : EIO);
    file_.reset();
    return false;
}

bool ReadingRecorder::WriteComment(const std::string& text) {
    return Emit("# " + text + "\n");
}

void ReadingRecorder::Stop() {
    file_.reset();
}

}  // namespace sfp
