#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sfp {

// Writes readings to a CSV file as they arrive. Each row is flushed when it is
// written, so a crash loses at most that row; the first write failure stops
// the recording and keeps what is already on disk.
class ReadingRecorder {
public:
    struct Header {
        std::string version;
        std::string resource;  // or "emulated"
        std::string startTime;
        std::vector<int> elements;
    };

    // Why a file cannot be started, or nothing when it can. An existing file
    // is refused unless the operator agreed to replace it.
    static std::optional<std::string> CheckTarget(const std::string& path, bool replaceExisting);

    // Empty on success, otherwise the reason.
    std::string Start(const std::string& path, const Header& header);
    // Values in the shortest text that reads back to the same double; the "no
    // reading" value is an empty field.
    bool WriteRow(const std::string& isoTime, double secondsSinceStart,
                  const std::vector<double>& values);
    bool WriteFailedRow(const std::string& isoTime, double secondsSinceStart, std::size_t count,
                        const std::string& statusName);
    // A '#' line between the rows, such as a change of the elements read.
    bool WriteComment(const std::string& text);
    void Stop();

    bool Recording() const { return file_ != nullptr; }
    long RowsWritten() const { return rows_; }
    long long BytesWritten() const { return bytes_; }
    const std::string& Failure() const { return failure_; }

private:
    bool Emit(const std::string& line);

    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    std::string path_;
    long rows_ = 0;
    long long bytes_ = 0;
    std::string failure_;
};

}  // namespace sfp
