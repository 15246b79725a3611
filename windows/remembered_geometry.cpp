#include "windows/remembered_geometry.h"

#include <QSettings>
#include <QWidget>

RememberedGeometry::RememberedGeometry(QWidget& window, QString key)
    : window_(window), key_(std::move(key)) {}

RememberedGeometry::~RememberedGeometry() {
    Save();
}

void RememberedGeometry::Restore(QSize firstSize) {
    if (!window_.restoreGeometry(QSettings().value(key_).toByteArray())) {
        window_.resize(firstSize);
    }
}

void RememberedGeometry::Save() const {
    QSettings().setValue(key_, window_.saveGeometry());
}
