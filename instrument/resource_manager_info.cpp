#include "instrument/resource_manager_info.h"

#include <array>

#include "instrument/visa_functions.h"
#include "instrument/visa_object.h"

namespace {

std::optional<ViUInt32> ReadVersion(const VisaFunctions& visa, ViSession manager,
                                    ViAttr attribute) {
    ViUInt32 value = 0;
    if (visa.getAttribute(manager, attribute, &value) < 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<QString> ReadManufacturer(const VisaFunctions& visa, ViSession manager) {
    // One character beyond what VISA may write, so that the text always ends.
    std::array<ViChar, visa::kFindBufferLength + 1> name{};
    if (visa.getAttribute(manager, visa::kAttrResourceManufacturerName, name.data()) < 0) {
        return std::nullopt;
    }
    name.back() = '\0';
    return QString::fromLatin1(name.data());
}

}  // namespace

ResourceManagerInfo ReadResourceManagerInfo(LoadedLibrary& visaLibrary) {
    ResourceManagerInfo info;
    VisaFunctions visa;
    if (BindVisaFunctions(visaLibrary, visa)) {
        info.openStatus = visa::kErrorInvalidObject;
        return info;
    }
    ViSession manager = 0;
    info.openStatus = visa.openDefaultRM(&manager);
    if (info.openStatus < 0) {
        return info;
    }
    const VisaObject managerSession(visa, manager);
    info.manufacturer = ReadManufacturer(visa, manager);
    info.implementationVersion = ReadVersion(visa, manager, visa::kAttrResourceImplVersion);
    info.standardVersion = ReadVersion(visa, manager, visa::kAttrResourceVisaVersion);
    return info;
}

QString VisaVersionText(ViUInt32 version) {
    return QStringLiteral("%1.%2.%3 (0x%4)")
        .arg(version >> 20)
        .arg((version >> 8) & 0xFFFu)
        .arg(version & 0xFFu)
        .arg(version, 8, 16, QLatin1Char('0'));
}
