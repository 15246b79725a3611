#pragma once
// Runs work on the user-interface thread. From a worker thread the call is
// handed over and the worker waits until it has finished: widgets are only
// ever touched by the thread that owns them.

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <type_traits>

namespace platform {

inline bool OnUiThread() {
    const auto* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

template <typename Work>
auto RunOnUiThread(Work work) -> std::invoke_result_t<Work> {
    using Result = std::invoke_result_t<Work>;
    if (OnUiThread()) {
        return work();
    }
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), work, Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(QCoreApplication::instance(), work, Qt::BlockingQueuedConnection,
                                  &result);
        return result;
    }
}

}  // namespace platform
