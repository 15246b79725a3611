#include "controls/bitmap_resource.h"

#include <QString>

namespace {

QString ResourcePath(int id) {
    switch (id) {
        case bitmaps::kTitleLogoLeft:
            return QStringLiteral(":/bitmaps/title_logo_left.png");
        case bitmaps::kTitleLogoRight:
            return QStringLiteral(":/bitmaps/title_logo_right.png");
        default:
            return QString();
    }
}

}  // namespace

QPixmap LoadBitmapResource(int id) {
    const QString path = ResourcePath(id);
    return path.isEmpty() ? QPixmap() : QPixmap(path);
}
