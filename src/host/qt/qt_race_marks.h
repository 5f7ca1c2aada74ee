// Tells ThreadSanitizer about the hand-overs through Qt's event queue. Qt's own queue locks are
// not built for it, so without these marks every call between the threads would look like a race.
// In other builds they are nothing.
#pragma once

#if defined(__SANITIZE_THREAD__)
#define MEPU_RACE_MARKS 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define MEPU_RACE_MARKS 1
#endif
#endif

#ifdef MEPU_RACE_MARKS
#include <sanitizer/tsan_interface.h>

extern "C" void __tsan_ignore_thread_begin();
extern "C" void __tsan_ignore_thread_end();
#endif

// What this thread did before handing over happens before what the receiving thread does after
// taking over at the same `point`.
inline void hand_over(const void* point) {
#ifdef MEPU_RACE_MARKS
    __tsan_release(const_cast<void*>(point));
#else
    (void)point;
#endif
}

inline void take_over(const void* point) {
#ifdef MEPU_RACE_MARKS
    __tsan_acquire(const_cast<void*>(point));
#else
    (void)point;
#endif
}

// Hides this thread's memory accesses while it is inside Qt's queueing call: the call object it
// builds there is handed over under Qt's lock, which the race detector cannot see.
class QueueingUnseen {
public:
#ifdef MEPU_RACE_MARKS
    QueueingUnseen() { __tsan_ignore_thread_begin(); }
    ~QueueingUnseen() { __tsan_ignore_thread_end(); }
#else
    // User-provided, so that a build without the race detector sees no unused variable.
    QueueingUnseen() {}
#endif
    QueueingUnseen(const QueueingUnseen&) = delete;
    QueueingUnseen& operator=(const QueueingUnseen&) = delete;
};
