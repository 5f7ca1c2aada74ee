// The converter's Win32 dialog DLG_MAIN on the core.
#pragma once

#include <windows.h>

#include "convert/converter_state.h"

// Creates DLG_MAIN as a modeless dialog of the desktop working on `state` (which must outlive it);
// nullptr when it cannot be created.
HWND create_converter_dialog(HINSTANCE instance, ConverterState* state);
