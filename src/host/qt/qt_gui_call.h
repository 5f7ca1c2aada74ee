// Runs work on the GUI thread for the application thread and waits for it.
#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <type_traits>
#include <utility>

// Calls `work` on the GUI thread and returns its result; on the GUI thread itself it is a plain
// call. The GUI thread must be running its event loop (or a nested one, such as a modal box).
template <class Work>
auto run_on_gui(Work&& work) -> std::invoke_result_t<Work&>
{
    QCoreApplication* app = QCoreApplication::instance();
    if (QThread::currentThread() == app->thread()) return work();
    using Result = std::invoke_result_t<Work&>;
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(app, [&work] { work(); }, Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(
            app, [&work, &result] { result = work(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

// Queues `work` for the GUI thread and returns at once.
template <class Work>
void post_to_gui(Work&& work)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::forward<Work>(work),
                              Qt::QueuedConnection);
}
