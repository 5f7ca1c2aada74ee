// Runs work on the GUI thread for the application thread and waits for it.
#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include "host/qt/qt_race_marks.h"

#include <type_traits>
#include <utility>

// Runs `call` on the GUI thread and waits for it; each side sees what the other did before.
template <class Call>
void wait_for_gui(Call& call) {
    // `call` lives on this thread's stack until the GUI thread has run it.
    const void* point = &call;
    hand_over(point);
    {
        QueueingUnseen unseen;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [&call, point] {
                take_over(point);
                call();
                hand_over(point);
            },
            Qt::BlockingQueuedConnection);
    }
    take_over(point);
}

// Calls `work` on the GUI thread and returns its result; on the GUI thread itself it is a plain
// call. The GUI thread must be running its event loop (or a nested one, such as a modal box).
template <class Work>
auto run_on_gui(Work&& work) -> std::invoke_result_t<Work&> {
    QCoreApplication* app = QCoreApplication::instance();
    if (QThread::currentThread() == app->thread()) return work();
    using Result = std::invoke_result_t<Work&>;
    if constexpr (std::is_void_v<Result>) {
        auto call = [&work] { work(); };
        wait_for_gui(call);
    } else {
        Result result{};
        auto call = [&work, &result] { result = work(); };
        wait_for_gui(call);
        return result;
    }
}

// Queues `work` for the GUI thread and returns at once. Tied to a `context` living on the GUI
// thread, the work is dropped if that object is gone before its turn.
template <class Work>
void post_to_gui(Work&& work, QObject* context = QCoreApplication::instance()) {
    // Qt's queue lock orders every post before its delivery; one point for each kind of work.
    static const char queue_point = 0;
    auto delivery = [work = std::forward<Work>(work)]() mutable {
        take_over(&queue_point);
        work();
    };
    hand_over(&queue_point);
    QueueingUnseen unseen;
    QMetaObject::invokeMethod(context, std::move(delivery), Qt::QueuedConnection);
}
