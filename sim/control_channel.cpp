#include "sim/control_channel.h"

#include <sys/stat.h>

#include <fstream>

namespace sim {

namespace {

// The file's size, or nothing when it cannot be seen.
bool sizeOf(const std::string& path, std::uintmax_t& size) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return false;
    }
    size = static_cast<std::uintmax_t>(info.st_size);
    return true;
}

}  // namespace

void ControlChannel::open(const std::string& path) {
    path_ = path;
    partial_.clear();
    offset_ = 0;
    std::uintmax_t size = 0;
    if (sizeOf(path_, size)) {
        offset_ = size;
    }
}

void ControlChannel::close() {
    path_.clear();
    partial_.clear();
    offset_ = 0;
}

std::vector<std::string> ControlChannel::takeLines() {
    std::uintmax_t size = 0;
    if (path_.empty() || !sizeOf(path_, size) || size == offset_) {
        return {};
    }
    if (size < offset_) {
        offset_ = 0;
        partial_.clear();
    }
    std::ifstream file(path_, std::ios::binary);
    file.seekg(static_cast<std::streamoff>(offset_));
    std::string added(static_cast<std::size_t>(size - offset_), '\0');
    file.read(added.data(), static_cast<std::streamsize>(added.size()));
    added.resize(static_cast<std::size_t>(file.gcount()));
    offset_ += added.size();
    partial_ += added;
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = partial_.find('\n'); end != std::string::npos;
         end = partial_.find('\n', start)) {
        lines.push_back(partial_.substr(start, end - start));
        start = end + 1;
    }
    partial_.erase(0, start);
    return lines;
}

}  // namespace sim
