#include "controls/switch_focus_proxy.h"

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
