// The backend operations the shared error guard calls; the guard is tested on a real backend
// (tests/host/guard), so here none of them may be reached.
#include <gtest/gtest.h>

#include "host/host.h"

MessageAnswer message_box(const char* text, const char*, MessageButtons, MessageIcon) {
    ADD_FAILURE() << "unexpected message box: " << text;
    return MessageAnswer::ok;
}

int windows_directory(char*, int) {
    ADD_FAILURE() << "unexpected look for the Windows directory";
    return -1;
}

int user_config_directory(char*, int, bool) {
    ADD_FAILURE() << "unexpected look for the user's configuration folder";
    return -1;
}

char path_separator() {
    ADD_FAILURE() << "unexpected ask for the path separator";
    return '/';
}
