#include "sim/visa_sessions.h"

namespace sim {

ViObject VisaSessions::nextHandle() {
    return ++lastHandle_;
}

ViSession VisaSessions::openManager() {
    const ViSession manager = nextHandle();
    managers_.insert(manager);
    return manager;
}

ViSession VisaSessions::openInstrument(ViSession manager, std::string resource) {
    const ViSession session = nextHandle();
    instruments_[session] = InstrumentLink{manager, std::move(resource), {}};
    return session;
}

InstrumentLink* VisaSessions::instrument(ViObject object) {
    const auto found = instruments_.find(object);
    return found == instruments_.end() ? nullptr : &found->second;
}

ViFindList VisaSessions::openFindList(ViSession manager, std::deque<std::string> names) {
    const ViFindList list = nextHandle();
    findLists_[list] = FindList{manager, std::move(names)};
    return list;
}

std::optional<std::string> VisaSessions::nextFound(ViFindList list) {
    const auto found = findLists_.find(list);
    if (found == findLists_.end() || found->second.names.empty()) {
        return std::nullopt;
    }
    std::string name = std::move(found->second.names.front());
    found->second.names.pop_front();
    return name;
}

bool VisaSessions::close(ViObject object) {
    if (managers_.erase(object) != 0) {
        closeChildren(object);
        return true;
    }
    return instruments_.erase(object) != 0 || findLists_.erase(object) != 0;
}

void VisaSessions::closeChildren(ViSession manager) {
    for (auto it = instruments_.begin(); it != instruments_.end();) {
        it = it->second.manager == manager ? instruments_.erase(it) : std::next(it);
    }
    for (auto it = findLists_.begin(); it != findLists_.end();) {
        it = it->second.manager == manager ? findLists_.erase(it) : std::next(it);
    }
}

}  // namespace sim
