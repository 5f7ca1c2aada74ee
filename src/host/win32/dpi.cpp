#include "host/win32/dpi.h"

#include <algorithm>

int window_dpi(HWND window) {
    if (window != nullptr) {
        // Looked up, so that the program still starts on systems older than Windows 10.
        using DpiForWindow = UINT(WINAPI*)(HWND);
        static const auto dpi_for_window = reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
        if (dpi_for_window != nullptr) {
            const UINT dpi = dpi_for_window(window);
            if (dpi != 0) return static_cast<int>(dpi);
        }
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int whole_pixel_scale(int dpi) { return std::max(1, (dpi + 48) / 96); }

int scaled_to_dpi(int pixels, int dpi) { return MulDiv(pixels, dpi, 96); }
