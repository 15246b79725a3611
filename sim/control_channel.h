#pragma once
// A file that a running simulator listens to: a tester appends directives,
// one per line, and each library applies the new complete lines when its next
// call arrives. Looking costs one stat per call and nothing while no call
// comes; no thread is started, so unloading a library never races one.

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

class ControlChannel {
public:
    // Listens to `path` from its current end: lines already in it when the
    // channel opens are not applied (they belong to an earlier run). A file
    // that does not exist yet is read from its start once it appears.
    void open(const std::string& path);
    void close();
    bool isOpen() const { return !path_.empty(); }

    // The complete lines appended since the last look. A file that became
    // shorter was written anew and is read from its start.
    std::vector<std::string> takeLines();

private:
    std::string path_;
    std::uintmax_t offset_ = 0;
    std::string partial_;
};

}  // namespace sim
