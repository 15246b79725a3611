#include "instrument/instrument_location.h"

#include "instrument/visa_attributes.h"
#include "instrument/visa_object.h"

namespace {

constexpr int kLastSuffixPosition = 99;

std::int16_t ReadSigned16(const VisaFunctions& visa, ViSession session, ViAttr attribute) {
    const std::optional<ViUInt16> value = ReadAttribute16(visa, session, attribute);
    return value ? static_cast<std::int16_t>(*value) : InstrumentLocation::kUnknown;
}

}  // namespace

QString InstrumentAddress(const QString& resourceName) {
    const QString upper = resourceName.toUpper();
    const int suffix = upper.indexOf(QLatin1String("::INSTR"));
    return suffix >= 1 && suffix <= kLastSuffixPosition ? upper.left(suffix) : upper;
}

InstrumentLocation ReadInstrumentLocation(const VisaFunctions& visa, ViSession resourceManager,
                                          const QString& resourceName) {
    InstrumentLocation location;
    location.address = InstrumentAddress(resourceName);
    ViSession opened = 0;
    const QByteArray name = resourceName.toLatin1();
    if (visa.open(resourceManager, name.constData(), 0, 0, &opened) < 0) {
        return location;
    }
    const VisaObject session(visa, opened);
    location.slot = ReadSigned16(visa, session.Handle(), visa::kAttrSlot);
    location.logicalAddress = ReadSigned16(visa, session.Handle(), visa::kAttrVxiLogicalAddress);
    return location;
}
