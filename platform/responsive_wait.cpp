#include "platform/responsive_wait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <thread>

#include "platform/wait_cursor.h"

namespace platform {

namespace {

constexpr int kLookIntervalMs = 2;

}  // namespace

void WaitWhile(const std::function<bool()>& busy) {
    if (!busy()) {
        return;
    }
    if (QCoreApplication::instance() == nullptr) {
        while (busy()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kLookIntervalMs));
        }
        return;
    }
    const WaitCursor waitCursor;
    QEventLoop loop;
    QTimer look;
    look.setInterval(kLookIntervalMs);
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (!busy()) {
            loop.quit();
        }
    });
    look.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace platform
