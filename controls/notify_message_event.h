#pragma once
// The message a surface control posts to its page when the operator has
// chosen a position. Pages see it in customEvent() and read the message
// number they gave the control (both message parameters are always 0, so the
// number is all there is).

#include <QEvent>

class QObject;

class NotifyMessageEvent : public QEvent {
public:
    explicit NotifyMessageEvent(int message);

    int Message() const { return message_; }

    // The one event type of every notify message, registered on first use.
    static QEvent::Type Type();

private:
    int message_;
};

// Posts (never sends) `message` to `target`: the page handles it after the
// mouse or key handler that caused it has returned. Message 0 means none.
void PostNotifyMessage(QObject* target, int message);
