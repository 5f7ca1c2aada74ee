// mepusaver.scr: /s full screen, /p HWND preview, /c settings, /a HWND change the password.
#include "saver/core/saver_program.h"
#include "saver/win32/registry_store.h"
#include "saver/win32/win32_saver_front.h"
#include "saver/win32/win32_saver_platform.h"

#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const SaverCommand command = parse_command_line(__argc - 1, __argv + 1);
    RegistryStore settings;
    Win32SaverPlatform platform(instance, settings);
    Win32SaverFront front(settings);
    return run_saver_program(command, platform, front, settings);
}
