// mepu.exe: the editor on the Win32 host.
#include <windows.h>

#include "editor/app_main.h"
#include "host/win32/win32_host.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int show) {
    return win32_host_main(instance, command_line, show, editor_entry_points());
}
