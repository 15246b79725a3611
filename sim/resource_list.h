#pragma once
// The instruments the simulated VISA finds, and the driver can open.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "instrument/visa_api.h"

namespace sim {

struct SimResource {
    std::string name;
    ViUInt16 interfaceType = visa::kInterfaceVxi;
    std::string identity;  // the *IDN? answer; empty: the resource does not answer
    std::optional<ViUInt16> manufacturerId;
    std::optional<ViUInt16> modelCode;
    std::optional<ViInt16> slot;
    std::optional<ViInt16> logicalAddress;
};

class ResourceList {
public:
    // One QOT7720 in slot 3 of a VXI mainframe, logical address 24.
    static SimResource defaultResource();

    ResourceList() { reset(); }

    void reset();
    void clear() { resources_.clear(); }
    // A resource of the same name (ignoring case) is replaced in place.
    void add(SimResource resource);
    const SimResource* find(std::string_view name) const;
    const std::vector<SimResource>& all() const { return resources_; }

private:
    std::vector<SimResource> resources_;
};

}  // namespace sim
