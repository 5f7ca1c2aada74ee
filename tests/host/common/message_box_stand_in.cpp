// The backend's message box, which the shared error guard calls; the guard is tested on a real
// backend (tests/host/guard), so here no box may open.
#include <gtest/gtest.h>

#include "host/host.h"

MessageAnswer message_box(const char* text, const char*, MessageButtons, MessageIcon) {
    ADD_FAILURE() << "unexpected message box: " << text;
    return MessageAnswer::ok;
}
