#include "instrument/discovery.h"

#include <algorithm>
#include <array>

#include "instrument/driver_api.h"
#include "instrument/visa_attributes.h"
#include "instrument/visa_object.h"

namespace {

constexpr int kIdentificationAnswerSize = 100;
constexpr char kIdentificationQuery[] = "*IDN?";  // sent without a line terminator

bool IdentifiesOverGpib(const VisaFunctions& visa, ViSession session, const QByteArray& expected) {
    const auto* query = reinterpret_cast<ViConstBuf>(kIdentificationQuery);
    ViUInt32 written = 0;
    if (visa.write(session, query, sizeof kIdentificationQuery - 1, &written) < 0) {
        return false;
    }
    std::array<ViByte, kIdentificationAnswerSize> answer{};
    ViUInt32 read = 0;
    if (visa.read(session, answer.data(), kIdentificationAnswerSize, &read) < 0) {
        return false;
    }
    read = std::min<ViUInt32>(read, kIdentificationAnswerSize);
    // Any answer that begins with the expected text passes: serial number
    // and revision follow it.
    const QByteArray text(reinterpret_cast<const char*>(answer.data()), static_cast<int>(read));
    return text.left(expected.size()) == expected;
}

bool IdentifiesOverVxi(const VisaFunctions& visa, ViSession session) {
    return ReadAttribute16(visa, session, visa::kAttrManufacturerId) ==
               driver::kVxiManufacturerId &&
           ReadAttribute16(visa, session, visa::kAttrModelCode) == driver::kVxiModelCode;
}

bool Accepts(const VisaFunctions& visa, ViSession resourceManager, const char* name, bool acceptAll,
             const QByteArray& expected) {
    ViSession opened = 0;
    if (visa.open(resourceManager, name, 0, 0, &opened) < 0) {
        return false;
    }
    const VisaObject session(visa, opened);
    const std::optional<ViUInt16> interfaceType =
        ReadAttribute16(visa, session.Handle(), visa::kAttrInterfaceType);
    if (!interfaceType) {
        return false;
    }
    if (acceptAll) {
        return true;
    }
    switch (*interfaceType) {
        case visa::kInterfaceGpib:
            return IdentifiesOverGpib(visa, session.Handle(), expected);
        case visa::kInterfaceVxi:
        case visa::kInterfaceGpibVxi:
            return IdentifiesOverVxi(visa, session.Handle());
        default:
            return false;
    }
}

}  // namespace

DiscoveryResult DiscoverInstruments(const VisaFunctions& visa, ViSession resourceManager,
                                    bool acceptAll, const QByteArray& expectedIdentification) {
    DiscoveryResult result;
    std::array<ViChar, visa::kFindBufferLength + 1> name{};
    ViFindList found = 0;
    ViUInt32 count = 0;
    if (visa.findRsrc(resourceManager, "?*INSTR", &found, &count, name.data()) < 0) {
        result.searchFailed = true;
        return result;
    }
    const VisaObject findList(visa, found);
    for (ViUInt32 index = 0; index < count; ++index) {
        if (index > 0 && visa.findNext(findList.Handle(), name.data()) < 0) {
            break;
        }
        name.back() = '\0';
        if (Accepts(visa, resourceManager, name.data(), acceptAll, expectedIdentification)) {
            result.candidates.append(QString::fromLatin1(name.data()));
        }
    }
    return result;
}
