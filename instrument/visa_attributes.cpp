#include "instrument/visa_attributes.h"

std::optional<ViUInt16> ReadAttribute16(const VisaFunctions& visa, ViSession session,
                                        ViAttr attribute) {
    ViUInt32 value = 0;
    if (visa.getAttribute(session, attribute, &value) < 0) {
        return std::nullopt;
    }
    return static_cast<ViUInt16>(value & 0xFFFFu);
}
