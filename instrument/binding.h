#pragma once
// Chooses the instrument session of the run: the live instrument when the
// libraries and the instrument are found, otherwise the emulated one.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>

#include "instrument/instrument_session.h"
#include "platform/colour_ref.h"

class LoadedLibrary;

// What binding learnt on the way, for the Connection dialog and line: kept by
// the application for the whole run.
struct BindingFacts {
    QStringList visaNamesTried;
    QString visaPath;  // the file loaded; empty when none loaded
    QStringList driverNamesTried;
    QString driverPath;
    QString loaderMessage;                   // why the last library that failed did not load
    std::optional<std::int32_t> initStatus;  // what qot7720_init returned, when it was called
    QString resource;                        // the resource opened, or the one tried last
    int timeoutMilliseconds = 0;             // the driver session's time-out, when live
    QString emulationReason;                 // empty when live
    // VISA, loaded for the rest of the run; null when it did not load.
    LoadedLibrary* visaLibrary = nullptr;
};

struct BindingResult {
    std::unique_ptr<InstrumentSession> instrument;
    ColorRef statusColor = kDarkGreyBrush;
    std::int16_t vxiSlot = 32000;
    std::int16_t vxiLogicalAddress = 32000;
    QString instrumentAddress = QStringLiteral("?");
    // A driver library without one of its functions: the program must end.
    bool fatal = false;
    BindingFacts facts;
};

// The emulated instrument with its address, slot and dark-grey lamp.
BindingResult EmulationFallback();

// Binds the instrument for `commandLine` (the options /a, /n, /r). Without
// /a and /n, `rememberedResource` (the last one opened) is tried first; when
// it does not open, discovery runs as without it.
BindingResult BindInstrument(const QString& commandLine,
                             const QString& rememberedResource = QString());
