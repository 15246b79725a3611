#pragma once
// The objects the simulated VISA hands out: resource managers, instrument
// sessions (with the answer waiting to be read) and find lists.

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "instrument/visa_api.h"

namespace sim {

struct InstrumentLink {
    ViSession manager = 0;
    std::string resource;
    std::string pendingRead;  // what the instrument has answered and not yet been read
};

class VisaSessions {
public:
    ViSession openManager();
    bool isManager(ViObject object) const { return managers_.count(object) != 0; }

    ViSession openInstrument(ViSession manager, std::string resource);
    InstrumentLink* instrument(ViObject object);

    ViFindList openFindList(ViSession manager, std::deque<std::string> names);
    // The next name of the list, or nothing when the list is used up or unknown.
    std::optional<std::string> nextFound(ViFindList list);
    bool isFindList(ViObject object) const { return findLists_.count(object) != 0; }

    // Closing a manager closes what was opened through it. False for an unknown object.
    bool close(ViObject object);

private:
    struct FindList {
        ViSession manager = 0;
        std::deque<std::string> names;
    };

    ViObject nextHandle();
    void closeChildren(ViSession manager);

    ViObject lastHandle_ = 0;
    std::set<ViSession> managers_;
    std::map<ViSession, InstrumentLink> instruments_;
    std::map<ViFindList, FindList> findLists_;
};

}  // namespace sim
