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

BindingResult Emulation(BindingFacts& facts, const QString& reason) {
    BindingResult result = EmulationFallback();
    facts.emulationReason = reason;
    result.facts = facts;
    return result;
}

// The VISA message names the libraries looked for on this system.
QString VisaNotFoundMessage(const QStringList& namesTried) {
    QStringList quoted;
    for (const QString& name : namesTried) {
        quoted.append(QLatin1Char('\'') + name + QLatin1Char('\''));
    }
    return strings::LoadString(strings::kVisaNotFound)
        .replace(QStringLiteral("'visa32.dll'"), quoted.join(QStringLiteral(", ")));
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
// message (if any) has been shown and whose reason is in `facts`.
std::optional<QString> ChooseResource(const CommandLineOptions& options, const VisaFunctions& visa,
                                      ViSession resourceManager, BindingFacts& facts) {
    if (options.address) {
        return options.address;
    }
    const DiscoveryResult found =
        DiscoverInstruments(visa, resourceManager, options.acceptAll,
                            strings::LoadString(strings::kExpectedIdentification).toLatin1());
    if (found.searchFailed) {
        platform::Dialogs().ShowMessage(strings::LoadString(strings::kNoInstrumentFound));
        facts.emulationReason = QStringLiteral("the resource search failed");
        return std::nullopt;
    }
    const InstrumentChoice choice = ChooseInstrument(found.candidates, options.acceptAll);
    switch (choice.outcome) {
        case InstrumentChoice::NoCandidate:
            platform::Dialogs().ShowMessage(strings::LoadString(strings::kNoInstrumentFound));
            facts.emulationReason = QStringLiteral("no QOT7720 was found");
            return std::nullopt;
        case InstrumentChoice::Cancelled:
            facts.emulationReason = QStringLiteral("the instrument choice was cancelled");
            return std::nullopt;
        case InstrumentChoice::Chosen:
            break;
    }
    return choice.name;
}

QString StatusHex(std::int32_t status) {
    return QStringLiteral("0x%1").arg(static_cast<std::uint32_t>(status), 8, 16, QLatin1Char('0'));
}

// Opens the driver session on `resource` and creates the live instrument,
// which takes over the driver library (only then). Null instrument when
// qot7720_init failed.
BindingResult OpenLive(const QString& resource, const InstrumentLocation& location, bool reset,
                       std::unique_ptr<LoadedLibrary>& driverLibrary, BindingFacts& facts) {
    DriverOpenFunctions open;
    if (BindDriverOpenFunctions(*driverLibrary, open)) {
        return Fatal();
    }
    ViSession session = 0;
    const QByteArray name = resource.toLatin1();
    facts.resource = resource;
    facts.initStatus = open.init(name.constData(), 0, reset ? 1 : 0, &session);
    if (*facts.initStatus != 0) {
        return Emulation(facts,
                         QStringLiteral("qot7720_init returned ") + StatusHex(*facts.initStatus));
    }
    BindingResult result;
    result.statusColor = kLiveStatusColor;
    result.vxiSlot = location.slot;
    result.vxiLogicalAddress = location.logicalAddress;
    result.instrumentAddress = location.address;
    open.timeOut(session, kDriverTimeout);
    open.errorQueryDetect(session, 1);
    facts.timeoutMilliseconds = kDriverTimeout;
    try {
        result.instrument = std::make_unique<LiveInstrument>(session, std::move(driverLibrary));
    } catch (const UserException&) {
        return Fatal();
    }
    result.facts = facts;
    return result;
}

// Opens the remembered resource; nothing (and no message) when it does not open.
std::optional<BindingResult> OpenRemembered(const QString& resource,
                                            const CommandLineOptions& options,
                                            const VisaFunctions& visa, ViSession resourceManager,
                                            std::unique_ptr<LoadedLibrary>& driverLibrary,
                                            BindingFacts& facts) {
    const InstrumentLocation location = ReadInstrumentLocation(visa, resourceManager, resource);
    BindingResult result = OpenLive(resource, location, options.reset, driverLibrary, facts);
    const bool live = dynamic_cast<LiveInstrument*>(result.instrument.get()) != nullptr;
    if (result.fatal || live) {
        return result;
    }
    return std::nullopt;
}

// Binding once both libraries are loaded. The driver library passes to the
// live instrument; after a fallback it is left with the caller.
BindingResult BindLoaded(const CommandLineOptions& options, const QString& remembered,
                         LoadedLibrary& visaLibrary, std::unique_ptr<LoadedLibrary>& driverLibrary,
                         BindingFacts& facts) {
    VisaFunctions visa;
    ViSession resourceManager = 0;
    if (BindVisaFunctions(visaLibrary, visa)) {
        return Emulation(facts, QStringLiteral("the VISA library lacks a function"));
    }
    const ViStatus managerStatus = visa.openDefaultRM(&resourceManager);
    if (managerStatus < 0) {
        return Emulation(facts,
                         QStringLiteral("viOpenDefaultRM returned ") + StatusHex(managerStatus));
    }
    const VisaObject managerSession(visa, resourceManager);
    if (!options.address && !options.acceptAll && !remembered.isEmpty()) {
        if (auto opened =
                OpenRemembered(remembered, options, visa, resourceManager, driverLibrary, facts)) {
            return std::move(*opened);
        }
        facts.emulationReason.clear();
    }
    const std::optional<QString> resource = ChooseResource(options, visa, resourceManager, facts);
    if (!resource) {
        return Emulation(facts, facts.emulationReason);
    }
    const InstrumentLocation location = ReadInstrumentLocation(visa, resourceManager, *resource);
    return OpenLive(*resource, location, options.reset, driverLibrary, facts);
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

BindingResult BindInstrument(const QString& commandLine, const QString& rememberedResource) {
    const CommandLineOptions options = ParseCommandLine(commandLine);
    if (!options.problem.isEmpty()) {
        std::fprintf(stderr, "qot7720-sfp: %s\n", options.problem.toLocal8Bit().constData());
    }
    BindingFacts facts;
    facts.visaNamesTried = VisaLibraryNames();
    std::unique_ptr<LoadedLibrary> visaLibrary =
        LoadedLibrary::LoadFirst(facts.visaNamesTried, &facts.loaderMessage);
    if (!visaLibrary) {
        platform::Dialogs().ShowMessage(VisaNotFoundMessage(facts.visaNamesTried));
        return Emulation(facts, QStringLiteral("the VISA library was not found"));
    }
    LoadedLibrary& visa = KeepLoaded(std::move(visaLibrary));
    facts.loaderMessage.clear();
    facts.visaPath = visa.FileName();
    facts.visaLibrary = &visa;
    facts.driverNamesTried = DriverLibraryNames();
    std::unique_ptr<LoadedLibrary> driverLibrary =
        LoadedLibrary::LoadFirst(facts.driverNamesTried, &facts.loaderMessage);
    if (!driverLibrary) {
        platform::Dialogs().ShowMessage(strings::LoadString(strings::kDriverNotLoaded));
        return Emulation(facts, QStringLiteral("the driver library was not loaded"));
    }
    facts.driverPath = driverLibrary->FileName();
    BindingResult result = BindLoaded(options, rememberedResource, visa, driverLibrary, facts);
    if (driverLibrary) {
        KeepLoaded(std::move(driverLibrary));
    }
    return result;
}
