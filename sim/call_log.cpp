#include "sim/call_log.h"

namespace sim {

bool CallLog::open(const std::string& path) {
    file_.reset(std::fopen(path.c_str(), "a"));
    if (file_) {
        std::setvbuf(file_.get(), nullptr, _IOLBF, 0);
    }
    return isOpen();
}

void CallLog::write(const std::string& line) {
    if (!file_) {
        return;
    }
    const std::string whole = line + '\n';
    std::fwrite(whole.data(), 1, whole.size(), file_.get());
    std::fflush(file_.get());
}

}  // namespace sim
