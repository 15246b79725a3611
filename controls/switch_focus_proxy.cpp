#include "controls/switch_focus_proxy.h"

#include <algorithm>

#include <QKeyEvent>

SwitchFocusProxy::SwitchFocusProxy(QWidget& page, const QRect& rectangle,
                                   std::function<bool(int)> onKey,
                                   std::function<void()> onFocusChange)
    : QWidget(&page), onKey_(std::move(onKey)), onFocusChange_(std::move(onFocusChange)) {
    setGeometry(rectangle);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::TabFocus);
    show();
}

void SwitchFocusProxy::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (onKey_(event->key())) {
            event->accept();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void SwitchFocusProxy::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    onFocusChange_();
}

void SwitchFocusProxy::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    onFocusChange_();
}

std::optional<int> KeyTarget(int key, int selected, int count, std::pair<int, int> forwardKeys) {
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (key == forwardKeys.first || key == forwardKeys.second) {
                return std::min(selected + 1, count - 1);
            }
            return std::max(selected - 1, 0);
        case Qt::Key_Home:
            return 0;
        case Qt::Key_End:
            return count - 1;
        default:
            return std::nullopt;
    }
}
