// Entry of the Win32 host: registers the window classes, creates the main and text windows,
// starts the application thread and runs the message loop until the program ends.
#pragma once

#include <windows.h>

#include "host/host.h"

// Returns the program's exit code (0), or 0 at once when the main window class cannot be
// registered.
int win32_host_main(HINSTANCE instance, const char* command_line, int show,
                    const AppEntryPoints& app);
