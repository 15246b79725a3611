#pragma once
// Where the VISA and driver libraries are looked for, in order. A full path
// in QOT7720_VISA_LIBRARY or QOT7720_DRIVER_LIBRARY is the only name tried
// when it is set, so that a chosen installation is never silently replaced.

#include <QStringList>

QStringList VisaLibraryNames();
QStringList DriverLibraryNames();
