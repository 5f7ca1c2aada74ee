// The installer on Windows: one modeless dialog driven by install.ini in the current directory.
#include <windows.h>
#include <commctrl.h>

#include "install/win32/install_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    HWND dialog = create_install_dialog(instance);
    if (!dialog) return 0;
    InitCommonControls();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) IsDialogMessageA(dialog, &message);
    return static_cast<int>(message.wParam);
}
