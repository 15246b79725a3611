#include "controls/notify_message_event.h"

#include <QCoreApplication>

NotifyMessageEvent::NotifyMessageEvent(int message) : QEvent(Type()), message_(message) {}

QEvent::Type NotifyMessageEvent::Type() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void PostNotifyMessage(QObject* target, int message) {
    if (target == nullptr || message == 0) {
        return;
    }
    QCoreApplication::postEvent(target, new NotifyMessageEvent(message));
}
