#include "platform/colour_ref.h"

QColor ToQColor(ColorRef ref) {
    return QColor(RedOf(ref), GreenOf(ref), BlueOf(ref));
}

ColorRef FromQColor(const QColor& colour) {
    return Rgb(colour.red(), colour.green(), colour.blue());
}
