#pragma once
// Driving a page as an operator does without a mouse: Tab between controls,
// Space or Enter on the focused one.

#include <QApplication>
#include <QTest>
#include <QWidget>

// Shows `window` and makes it the active window, so that keys reach its focus.
inline bool ActivateForKeys(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Sends `key` to whatever has the focus in the active window.
inline void PressKey(QWidget& window, Qt::Key key) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : &window, key);
}

// Presses Tab until the control with identifier `id` has the focus.
inline bool TabTo(QWidget& window, int id, int limit = 20) {
    for (int i = 0; i < limit; ++i) {
        const QWidget* focus = QApplication::focusWidget();
        if (focus != nullptr && focus->objectName() == QString::number(id)) {
            return true;
        }
        PressKey(window, Qt::Key_Tab);
    }
    return false;
}

// The identifier of the focused control, or -1.
inline int FocusedId() {
    const QWidget* focus = QApplication::focusWidget();
    bool number = false;
    const int id = focus != nullptr ? focus->objectName().toInt(&number) : -1;
    return number ? id : -1;
}
