#pragma once
// File-chooser filters are written as on the home platform,
// "Description|patterns|Description|patterns||"; Qt wants
// "Description (patterns);;Description (patterns)". This is the one place
// that converts between them.

#include <QString>

namespace platform {

// "Algorithm files (*.alg)|*.alg|All Files (*.*)|*.*||" gives
// "Algorithm files (*.alg);;All Files (*)". Patterns separated by ';' are
// separated by blanks; "*.*", every file on the home platform, becomes "*"
// (on Linux "*.*" would skip names without a dot). A description's own
// trailing "(...)" is replaced by the converted patterns.
QString QtFileFilter(const QString& homeFilter);

}  // namespace platform
