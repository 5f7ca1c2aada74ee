// Platform services the editor uses outside the drawing: the Windows directory, paths.
#include "host/host.h"

#include <cstdio>

#include <windows.h>

#include <shlobj.h>

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

int user_config_directory(char* buffer, int capacity, bool create) {
    if (buffer == nullptr || capacity <= 0) return -1;
    char folder[MAX_PATH];
    const int flags = CSIDL_APPDATA | (create ? CSIDL_FLAG_CREATE : 0);
    if (SHGetFolderPathA(nullptr, flags, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) return -1;
    const int length = std::snprintf(buffer, static_cast<size_t>(capacity), "%s\\mepu", folder);
    if (length < 0 || length >= capacity) {
        buffer[0] = '\0';
        return -1;
    }
    if (create && !CreateDirectoryA(buffer, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return -1;
    }
    return length;
}

char path_separator() { return '\\'; }
