#include "sim/visa_library.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

#include "sim/sim_status.h"
#include "sim/text_util.h"
#include "sim/visa_expression.h"

namespace sim {

namespace {

constexpr ViStatus kWarnNullObject = 0x3FFF0082;

std::string_view textOf(const char* text) {
    return text == nullptr ? std::string_view() : text;
}

// Attributes are 16-bit values; the caller's buffer receives exactly two bytes.
template <typename Value>
ViStatus deliverAttribute(const std::optional<Value>& attribute, void* value) {
    static_assert(sizeof(Value) == 2, "VISA attributes read here are 16-bit");
    if (!attribute) {
        return visa::kErrorNonsupportedAttribute;
    }
    std::memcpy(value, &*attribute, sizeof(Value));
    return visa::kSuccess;
}

// What the simulated VISA reports of itself on a resource manager session.
constexpr char kManufacturerName[] = "QOT7720 simulator VISA";
constexpr ViUInt32 kImplementationVersion = 0x00100000;  // 1.0.0
constexpr ViUInt32 kVisaStandardVersion = 0x00700000;    // 7.0.0

ViStatus deliverManagerAttribute(ViAttr attribute, void* value) {
    switch (attribute) {
        case visa::kAttrResourceManufacturerName:
            copyTruncated(kManufacturerName, static_cast<ViChar*>(value), visa::kFindBufferLength);
            return visa::kSuccess;
        case visa::kAttrResourceImplVersion:
            std::memcpy(value, &kImplementationVersion, sizeof(ViUInt32));
            return visa::kSuccess;
        case visa::kAttrResourceVisaVersion:
            std::memcpy(value, &kVisaStandardVersion, sizeof(ViUInt32));
            return visa::kSuccess;
        default:
            return visa::kErrorNonsupportedAttribute;
    }
}

bool isIdentificationQuery(std::string_view written) {
    return equalsIgnoreCase(trim(written), "*IDN?");
}

}  // namespace

std::optional<ViStatus> VisaLibrary::begin(Lock& lock, const LogLine& line, std::string_view text) {
    return context_.enter(lock, line, text, kDefaultTimeout);
}

const SimResource* VisaLibrary::resourceOf(ViObject object) {
    const InstrumentLink* link = context_.state().visaSessions.instrument(object);
    return link == nullptr ? nullptr : context_.state().resources.find(link->resource);
}

ViStatus VisaLibrary::openDefaultRm(ViSession* resourceManager) {
    auto lock = context_.lock();
    if (const auto early = begin(lock, LogLine("viOpenDefaultRM"))) {
        return *early;
    }
    if (resourceManager == nullptr) {
        return kErrorUserBuffer;
    }
    *resourceManager = context_.state().visaSessions.openManager();
    return visa::kSuccess;
}

ViStatus VisaLibrary::findRsrc(ViSession resourceManager, ViString expression, ViFindList* list,
                               ViUInt32* count, ViChar* description) {
    auto lock = context_.lock();
    const LogLine line = LogLine("viFindRsrc").number(resourceManager).text(expression);
    if (const auto early = begin(lock, line, textOf(expression))) {
        return *early;
    }
    SimState& state = context_.state();
    if (!state.visaSessions.isManager(resourceManager)) {
        return visa::kErrorInvalidObject;
    }
    std::vector<std::string> names;
    for (const auto& resource : state.resources.all()) {
        names.push_back(resource.name);
    }
    const auto found = expression == nullptr ? std::nullopt : findMatching(expression, names);
    if (!found) {
        return kErrorInvalidExpression;
    }
    if (count != nullptr) {
        *count = static_cast<ViUInt32>(found->size());
    }
    if (found->empty()) {
        return visa::kErrorResourceNotFound;
    }
    copyTruncated(found->front(), description, visa::kFindBufferLength);
    if (list != nullptr) {
        *list = state.visaSessions.openFindList(
            resourceManager, std::deque<std::string>(found->begin() + 1, found->end()));
    }
    return visa::kSuccess;
}

ViStatus VisaLibrary::findNext(ViFindList list, ViChar* description) {
    auto lock = context_.lock();
    if (const auto early = begin(lock, LogLine("viFindNext").number(list))) {
        return *early;
    }
    VisaSessions& sessions = context_.state().visaSessions;
    if (!sessions.isFindList(list)) {
        return visa::kErrorInvalidObject;
    }
    const auto next = sessions.nextFound(list);
    if (!next) {
        return visa::kErrorResourceNotFound;
    }
    copyTruncated(*next, description, visa::kFindBufferLength);
    return visa::kSuccess;
}

ViStatus VisaLibrary::open(ViSession resourceManager, ViRsrc name, ViAccessMode mode,
                           ViUInt32 timeout, ViSession* session) {
    auto lock = context_.lock();
    const LogLine line =
        LogLine("viOpen").number(resourceManager).text(name).number(mode).number(timeout);
    if (const auto early = begin(lock, line, textOf(name))) {
        return *early;
    }
    SimState& state = context_.state();
    if (!state.visaSessions.isManager(resourceManager)) {
        return visa::kErrorInvalidObject;
    }
    if (session == nullptr) {
        return kErrorUserBuffer;
    }
    if (name == nullptr) {
        return kErrorInvalidResourceName;
    }
    const SimResource* resource = state.resources.find(name);
    if (resource == nullptr) {
        return visa::kErrorResourceNotFound;
    }
    *session = state.visaSessions.openInstrument(resourceManager, resource->name);
    return visa::kSuccess;
}

ViStatus VisaLibrary::getAttribute(ViObject object, ViAttr attribute, void* value) {
    auto lock = context_.lock();
    if (const auto early = begin(lock, LogLine("viGetAttribute").number(object).hex(attribute))) {
        return *early;
    }
    if (context_.state().visaSessions.isManager(object)) {
        return value == nullptr ? kErrorUserBuffer : deliverManagerAttribute(attribute, value);
    }
    const SimResource* resource = resourceOf(object);
    if (resource == nullptr) {
        return visa::kErrorInvalidObject;
    }
    if (value == nullptr) {
        return kErrorUserBuffer;
    }
    switch (attribute) {
        case visa::kAttrInterfaceType:
            return deliverAttribute(std::optional<ViUInt16>(resource->interfaceType), value);
        case visa::kAttrManufacturerId:
            return deliverAttribute(resource->manufacturerId, value);
        case visa::kAttrModelCode:
            return deliverAttribute(resource->modelCode, value);
        case visa::kAttrSlot:
            return deliverAttribute(resource->slot, value);
        case visa::kAttrVxiLogicalAddress:
            return deliverAttribute(resource->logicalAddress, value);
        default:
            return visa::kErrorNonsupportedAttribute;
    }
}

ViStatus VisaLibrary::write(ViSession session, ViConstBuf buffer, ViUInt32 count,
                            ViUInt32* written) {
    auto lock = context_.lock();
    const std::string_view bytes =
        buffer == nullptr ? std::string_view()
                          : std::string_view(reinterpret_cast<const char*>(buffer), count);
    const LogLine line = LogLine("viWrite").number(session).bytes(buffer, count).number(count);
    if (const auto early = begin(lock, line, bytes)) {
        return *early;
    }
    InstrumentLink* link = context_.state().visaSessions.instrument(session);
    const SimResource* resource = resourceOf(session);
    if (link == nullptr || resource == nullptr) {
        return visa::kErrorInvalidObject;
    }
    if (buffer == nullptr) {
        return kErrorUserBuffer;
    }
    // Only the identification query is answered; anything else leaves nothing to read.
    const bool answers = isIdentificationQuery(bytes) && !resource->identity.empty();
    link->pendingRead = answers ? resource->identity + "\n" : std::string();
    if (written != nullptr) {
        *written = count;
    }
    return visa::kSuccess;
}

ViStatus VisaLibrary::read(ViSession session, ViBuf buffer, ViUInt32 count, ViUInt32* read) {
    auto lock = context_.lock();
    if (const auto early = begin(lock, LogLine("viRead").number(session).number(count))) {
        return *early;
    }
    InstrumentLink* link = context_.state().visaSessions.instrument(session);
    if (link == nullptr) {
        return visa::kErrorInvalidObject;
    }
    if (buffer == nullptr) {
        return kErrorUserBuffer;
    }
    if (read != nullptr) {
        *read = 0;
    }
    if (link->pendingRead.empty()) {
        return visa::kErrorTimeout;
    }
    const std::size_t length = std::min<std::size_t>(count, link->pendingRead.size());
    std::memcpy(buffer, link->pendingRead.data(), length);
    link->pendingRead.erase(0, length);
    if (read != nullptr) {
        *read = static_cast<ViUInt32>(length);
    }
    return link->pendingRead.empty() ? visa::kSuccess : kSuccessMaxCount;
}

ViStatus VisaLibrary::close(ViObject object) {
    auto lock = context_.lock();
    if (const auto early = begin(lock, LogLine("viClose").number(object))) {
        return *early;
    }
    if (object == 0) {
        return kWarnNullObject;
    }
    return context_.state().visaSessions.close(object) ? visa::kSuccess : visa::kErrorInvalidObject;
}

ViStatus VisaLibrary::flush(ViSession session, ViUInt16 mask) {
    auto lock = context_.lock();
    if (const auto early = begin(lock, LogLine("viFlush").number(session).hex(mask))) {
        return *early;
    }
    InstrumentLink* link = context_.state().visaSessions.instrument(session);
    if (link == nullptr) {
        return visa::kErrorInvalidObject;
    }
    link->pendingRead.clear();
    return visa::kSuccess;
}

}  // namespace sim
