#include "platform/wait_cursor.h"

#include <QApplication>
#include <QCursor>

namespace platform {

WaitCursor::WaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor() {
    QApplication::restoreOverrideCursor();
}

void WaitCursor::Restore() {
    if (QApplication::overrideCursor() != nullptr) {
        QApplication::changeOverrideCursor(Qt::WaitCursor);
    }
}

}  // namespace platform
