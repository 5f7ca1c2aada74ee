// Platform services the editor uses outside the drawing: the Windows directory, paths.
#include "host/host.h"

#include <windows.h>

int windows_directory(char* buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) return -1;
    const UINT length = GetWindowsDirectoryA(buffer, static_cast<UINT>(capacity));
    // A result of capacity or more is the size needed, and the buffer holds nothing useful.
    if (length == 0 || length >= static_cast<UINT>(capacity)) {
        buffer[0] = '\0';
        return -1;
    }
    return static_cast<int>(length);
}

char path_separator() { return '\\'; }
