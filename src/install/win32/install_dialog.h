// The installer's modeless dialog on Windows.
#pragma once

#include <windows.h>

// Creates the dialog (parent: the desktop); null when it cannot be created.
HWND create_install_dialog(HINSTANCE instance);
