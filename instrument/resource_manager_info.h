#pragma once
// What the VISA resource manager reports of itself, for the Connection
// dialog: read through a default resource manager session of its own, which
// is closed again at once.

#include <QString>
#include <optional>

#include "instrument/loaded_library.h"
#include "instrument/visa_api.h"

struct ResourceManagerInfo {
    ViStatus openStatus = 0;  // viOpenDefaultRM's status; negative: nothing was read
    std::optional<QString> manufacturer;
    std::optional<ViUInt32> implementationVersion;
    std::optional<ViUInt32> standardVersion;
};

ResourceManagerInfo ReadResourceManagerInfo(LoadedLibrary& visaLibrary);

// A VISA version word as "major.minor.subminor" (12, 12 and 8 bits) and its hex.
QString VisaVersionText(ViUInt32 version);
