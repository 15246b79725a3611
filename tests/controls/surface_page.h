#pragma once
// A page for surface-control tests: records the notify messages posted to it
// and paints its controls into an image.

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <vector>

#include "controls/notify_message_event.h"

class SurfacePage : public QWidget {
public:
    SurfacePage() { resize(400, 300); }

    // Delivers what has been posted so far and returns it, oldest first.
    std::vector<int> TakeMessages() {
        QCoreApplication::sendPostedEvents(this, NotifyMessageEvent::Type());
        std::vector<int> taken;
        taken.swap(messages_);
        return taken;
    }

    // An image of the page's size in light grey, with a painter in the page's font.
    template <typename Control>
    QImage Render(Control& control) {
        QImage image(size(), QImage::Format_RGB32);
        image.fill(QColor(0xC0, 0xC0, 0xC0));
        QPainter painter(&image);
        painter.setFont(font());
        control.Paint(painter);
        return image;
    }

protected:
    void customEvent(QEvent* event) override {
        if (event->type() == NotifyMessageEvent::Type()) {
            messages_.push_back(static_cast<NotifyMessageEvent*>(event)->Message());
        }
    }

private:
    std::vector<int> messages_;
};
