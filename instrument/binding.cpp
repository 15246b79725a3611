#include "instrument/binding.h"

#include <cstdio>
#include <vector>

#include "instrument/command_line_options.h"
#include "instrument/discovery.h"
#include "instrument/driver_functions.h"
#include "instrument/emulated_instrument.h"
#include "instrument/instrument_choice.h"
#include "instrument/instrument_location.h"
#include "instrument/library_names.h"
#include "instrument/live_instrument.h"
#include "instrument/loaded_library.h"
#include "instrument/user_exception.h"
#include "instrument/visa_functions.h"
#include "instrument/visa_object.h"
#include "platform/operator_dialogs.h"
#include "resources/string_table.h"

namespace {

constexpr ViInt32 kDriverTimeout = 30000;
constexpr ColorRef kLiveStatusColor = Rgb(0, 255, 0);

BindingResult FallBackWithMessage(int message) {
    platform::Dialogs().ShowMessage(strings::LoadString(message));
    return EmulationFallback();
}

BindingResult Fatal() {
    BindingResult result;
    result.fatal = true;
    return result;
}

// VISA stays loaded for the rest of the run once binding has used it. The
// holder is never destroyed: unloading during static destruction would race
// the framework's own library bookkeeping, and releasing an earlier handle
// of the same file could unmap it under a later one.
LoadedLibrary& KeepLoaded(std::unique_ptr<LoadedLibrary> library) {
    static auto* const kept = new std::vector<std::unique_ptr<LoadedLibrary>>();
    kept->push_back(std::move(library));
    return *kept->back();
}

// The resource to open: the command line's address, the only or only VXI
// instrument found, or the operator's choice. Null after a fallback, whose
// message (if any) has been shown.
std::optional<QString> ChooseResource(const CommandLineOptions& options, const VisaFunctions& visa,
                                      ViSession resourceManager) {
    if (options.address) {
        return options.address;
    }
    const DiscoveryResult found =
        DiscoverInstruments(visa, resourceManager, options.acceptAll,
                            strings::LoadString(strings::kExpectedIdentification).toLatin1());
    if (found.searchFailed) {
        platform::Dialogs().ShowMessage(strings::LoadString(strings::kNoInstrumentFound));
        return std::nullopt;
    }
    const InstrumentChoice choice = ChooseInstrument(found.candidates, options.acceptAll);
    switch (choice.outcome) {
        case InstrumentChoice::NoCandidate:
            platform::Dialogs().ShowMessage(strings::LoadString(strings::kNoInstrumentFound));
            return std::nullopt;
        case InstrumentChoice::Cancelled:
            return std::nullopt;
        case InstrumentChoice::Chosen:
            break;
    }
    return choice.name;
}

// Opens the driver session on `resource` and creates the live instrument,
// which takes over the driver library (only then).
BindingResult OpenLive(const QString& resource, const InstrumentLocation& location, bool reset,
                       std::unique_ptr<LoadedLibrary>& driverLibrary) {
    DriverOpenFunctions open;
    if (BindDriverOpenFunctions(*driverLibrary, open)) {
        return Fatal();
    }
    ViSession session = 0;
    const QByteArray name = resource.toLatin1();
    if (open.init(name.constData(), 0, reset ? 1 : 0, &session) != 0) {
        return EmulationFallback();
    }
    BindingResult result;
    result.statusColor = kLiveStatusColor;
    result.vxiSlot = location.slot;
    result.vxiLogicalAddress = location.logicalAddress;
    result.instrumentAddress = location.address;
    open.timeOut(session, kDriverTimeout);
    open.errorQueryDetect(session, 1);
    try {
        result.instrument = std::make_unique<LiveInstrument>(session, std::move(driverLibrary));
    } catch (const UserException&) {
        return Fatal();
    }
    return result;
}

// Binding once both libraries are loaded. The driver library passes to the
// live instrument; after a fallback it is left with the caller.
BindingResult BindLoaded(const CommandLineOptions& options, LoadedLibrary& visaLibrary,
                         std::unique_ptr<LoadedLibrary>& driverLibrary) {
    VisaFunctions visa;
    ViSession resourceManager = 0;
    if (BindVisaFunctions(visaLibrary, visa) || visa.openDefaultRM(&resourceManager) < 0) {
        return EmulationFallback();
    }
    const VisaObject managerSession(visa, resourceManager);
    const std::optional<QString> resource = ChooseResource(options, visa, resourceManager);
    if (!resource) {
        return EmulationFallback();
    }
    const InstrumentLocation location = ReadInstrumentLocation(visa, resourceManager, *resource);
    return OpenLive(*resource, location, options.reset, driverLibrary);
}

}  // namespace

BindingResult EmulationFallback() {
    BindingResult result;
    result.instrument = std::make_unique<EmulatedInstrument>();
    result.statusColor = kDarkGreyBrush;
    result.vxiSlot = 32000;
    result.instrumentAddress = strings::LoadString(strings::kEmulated);
    return result;
}

BindingResult BindInstrument(const QString& commandLine) {
    const CommandLineOptions options = ParseCommandLine(commandLine);
    if (!options.problem.isEmpty()) {
        std::fprintf(stderr, "qot7720-sfp: %s\n", options.problem.toLocal8Bit().constData());
    }
    std::unique_ptr<LoadedLibrary> visaLibrary = LoadedLibrary::LoadFirst(VisaLibraryNames());
    if (!visaLibrary) {
        return FallBackWithMessage(strings::kVisaNotFound);
    }
    LoadedLibrary& visa = KeepLoaded(std::move(visaLibrary));
    std::unique_ptr<LoadedLibrary> driverLibrary = LoadedLibrary::LoadFirst(DriverLibraryNames());
    if (!driverLibrary) {
        return FallBackWithMessage(strings::kDriverNotLoaded);
    }
    BindingResult result = BindLoaded(options, visa, driverLibrary);
    if (driverLibrary) {
        KeepLoaded(std::move(driverLibrary));
    }
    return result;
}
