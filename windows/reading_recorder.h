#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sfp {

// Writes readings to a CSV file as they arrive. Each row goes to the file in
// one write of its own, so a crash loses at most that row; the first write
// failure stops the recording and keeps what is already on disk.
class ReadingRecorder {
public:
    struct Header {
        std::string version;
        std::string resource;  // or "emulated"
        std::string startTime;
        std::vector<int> elements;
    };

    // Room for IsoTime's text.
    static constexpr std::size_t kIsoTimeSize = 24;
    // "2026-12-09T04:00:00.100Z": milliseconds since 1970 as ISO 8601 UTC.
    static std::string_view IsoTime(std::int64_t utcMs, char (&text)[kIsoTimeSize]);

    // Why a file cannot be started, or nothing when it can. An existing file
    // is refused unless the operator agreed to replace it.
    static std::optional<std::string> CheckTarget(const std::string& path, bool replaceExisting);

    ReadingRecorder() = default;
    ReadingRecorder(const ReadingRecorder&) = delete;
    ReadingRecorder& operator=(const ReadingRecorder&) = delete;
    ~ReadingRecorder();

    // Empty on success, otherwise the reason.
    std::string Start(const std::string& path, const Header& header);
    // Values in the shortest text that reads back to the same double; the "no
    // reading" value is an empty field.
    bool WriteRow(std::string_view isoTime, double secondsSinceStart,
                  const std::vector<double>& values);
    bool WriteFailedRow(std::string_view isoTime, double secondsSinceStart, std::size_t count,
                        std::string_view statusName);
    // A '#' line between the rows, such as a change of the elements read.
    bool WriteComment(const std::string& text);
    void Stop();

    bool Recording() const { return fd_ >= 0; }
    long RowsWritten() const { return rows_; }
    long long BytesWritten() const { return bytes_; }
    const std::string& Failure() const { return failure_; }

private:
    void BeginRow(std::string_view isoTime, double secondsSinceStart);
    // Writes line_ out.
    bool Emit();

    int fd_ = -1;
    std::string path_;
    // The line being written; kept between rows so that a row allocates
    // nothing.
    std::string line_;
    long rows_ = 0;
    long long bytes_ = 0;
    std::string failure_;
};

}  // namespace sfp
