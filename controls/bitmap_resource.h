#pragma once
// The program's bitmap resources by number, as the templates name them.

#include <QPixmap>

namespace bitmaps {
constexpr int kTitleLogoLeft = 104;   // left end of the main panel's title bar
constexpr int kTitleLogoRight = 105;  // right end of the main panel's title bar
}  // namespace bitmaps

// The bitmap `id`; a null pixmap when there is none.
QPixmap LoadBitmapResource(int id);
