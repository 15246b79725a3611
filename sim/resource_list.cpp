#include "sim/resource_list.h"

#include <algorithm>

#include "instrument/driver_api.h"
#include "sim/text_util.h"

namespace sim {

SimResource ResourceList::defaultResource() {
    SimResource resource;
    resource.name = "VXI0::24::INSTR";
    resource.interfaceType = visa::kInterfaceVxi;
    resource.identity = "QUORVALE-ORBANT,T7720,0,A.01.00";
    resource.manufacturerId = driver::kVxiManufacturerId;
    resource.modelCode = driver::kVxiModelCode;
    resource.slot = 3;
    resource.logicalAddress = 24;
    return resource;
}

void ResourceList::reset() {
    resources_ = {defaultResource()};
}

void ResourceList::add(SimResource resource) {
    const auto existing =
        std::find_if(resources_.begin(), resources_.end(),
                     [&](const SimResource& r) { return equalsIgnoreCase(r.name, resource.name); });
    if (existing != resources_.end()) {
        *existing = std::move(resource);
        return;
    }
    resources_.push_back(std::move(resource));
}

const SimResource* ResourceList::find(std::string_view name) const {
    const auto found =
        std::find_if(resources_.begin(), resources_.end(),
                     [&](const SimResource& r) { return equalsIgnoreCase(r.name, name); });
    return found == resources_.end() ? nullptr : &*found;
}

}  // namespace sim
