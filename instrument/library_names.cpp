#include "instrument/library_names.h"

#include <QtGlobal>

namespace {

QStringList NamesOrOverride(const char* variable, const QStringList& names) {
    const QString chosen = qEnvironmentVariable(variable);
    return chosen.isEmpty() ? names : QStringList{chosen};
}

}  // namespace

QStringList VisaLibraryNames() {
#ifdef Q_OS_WIN
    const QStringList names{QStringLiteral("VISA32.DLL")};
#else
    // The names that vendor VISA installations provide.
    const QStringList names{QStringLiteral("libvisa.so"), QStringLiteral("libvisa.so.7"),
                            QStringLiteral("librsvisa.so"), QStringLiteral("libiovisa.so")};
#endif
    return NamesOrOverride("QOT7720_VISA_LIBRARY", names);
}

QStringList DriverLibraryNames() {
#ifdef Q_OS_WIN
    const QStringList names{QStringLiteral("qot7720_32.dll")};
#else
    const QStringList names{QStringLiteral("libqot7720_32.so")};
#endif
    return NamesOrOverride("QOT7720_DRIVER_LIBRARY", names);
}
