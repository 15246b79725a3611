#include "controls/bitmap_resource.h"

#include <QPixmapCache>
#include <QString>

#include "controls/raw_bitmap.h"

namespace {

QString ResourcePath(int id) {
    switch (id) {
        case bitmaps::kTitleLogoLeft:
            return QStringLiteral(":/bitmaps/title_logo_left.raw");
        case bitmaps::kTitleLogoRight:
            return QStringLiteral(":/bitmaps/title_logo_right.raw");
        default:
            return QString();
    }
}

}  // namespace

// Decoded once and kept in Qt's pixmap cache, which Qt empties at exit: pages
// paint their bitmaps on every expose and are built again at every switch.
QPixmap LoadBitmapResource(int id) {
    const QString path = ResourcePath(id);
    if (path.isEmpty()) {
        return QPixmap();
    }
    QPixmap bitmap;
    if (!QPixmapCache::find(path, &bitmap)) {
        bitmap = QPixmap::fromImage(raw_bitmap::Read(path));
        QPixmapCache::insert(path, bitmap);
    }
    return bitmap;
}
