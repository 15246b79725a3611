#pragma once
// The call log file: one line per call, appended and flushed at once so that
// a test can read it while the library is loaded. Both simulated libraries
// may append to the same file; each line is written in one piece.

#include <cstdio>
#include <memory>
#include <string>

namespace sim {

class CallLog {
public:
    // Appends to the file; false when it cannot be opened (the log is then off).
    bool open(const std::string& path);
    void close() { file_.reset(); }
    bool isOpen() const { return file_ != nullptr; }
    void write(const std::string& line);

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    std::unique_ptr<std::FILE, FileCloser> file_;
};

}  // namespace sim
