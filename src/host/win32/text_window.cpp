// The status text window: a caption-only window whose backing bitmap holds everything printed, so
// that it repaints itself; the text layout of host/common draws into it through a TextSurface.
#include "host/common/text_layout.h"
#include "host/host.h"
#include "host/win32/dpi.h"
#include "host/win32/host_internal.h"
#include "host/win32/host_state.h"

namespace {

constexpr const char* TEXT_CLASS = "ZKI_textout";
constexpr const char* TEXT_TITLE = "tarvolo Zelkon interface -text out-";

// The window's state lives in HostState; this only draws with it.
class Win32TextSurface final : public TextSurface {
public:
    int measure_width(const char* text, int length) override {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(host_state().text.backing_dc, text, length, &size);
        return size.cx;
    }
    int letter_height() override {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(host_state().text.backing_dc, "D", 1, &size);
        return size.cy;
    }
    void draw_text(int x, int y, const char* text, int length) override {
        const TextWindowState& t = host_state().text;
        draw_on(t.backing_dc, x, y, text, length);
        HDC dc = GetDC(t.window);
        draw_on(dc, x, y, text, length);
        ReleaseDC(t.window, dc);
        wake_gui_thread();
    }
    void clear() override {
        const TextWindowState& t = host_state().text;
        PatBlt(t.backing_dc, 0, 0, t.width, t.height, WHITENESS);
        HDC dc = GetDC(t.window);
        PatBlt(dc, 0, 0, t.width, t.height, WHITENESS);
        ReleaseDC(t.window, dc);
        wake_gui_thread();
    }
    int line_start_x() override { return host_state().text.line_start_x; }

private:
    static void draw_on(HDC dc, int x, int y, const char* text, int length) {
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, OPAQUE);
        TextOutA(dc, x, y, text, length);
    }
};

Win32TextSurface& text_surface() {
    static Win32TextSurface surface;
    return surface;
}

void create_backing(HWND window) {
    TextWindowState& t = host_state().text;
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    t.backing_dc = CreateCompatibleDC(dc);
    t.backing_bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    t.backing_old_bitmap = SelectObject(t.backing_dc, t.backing_bitmap);
    // A new bitmap is black; white matches the window until the editor first clears it.
    PatBlt(t.backing_dc, 0, 0, client.right, client.bottom, WHITENESS);
    ReleaseDC(window, dc);
}

LRESULT CALLBACK text_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE: create_backing(window); return 0;
        case WM_PAINT: {
            const TextWindowState& t = host_state().text;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            BitBlt(dc, 0, 0, t.width, t.height, t.backing_dc, 0, 0, SRCCOPY);
            EndPaint(window, &ps);
            return 0;
        }
        default:
            if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) note_pointer_input();
            if (record_button_message(window, message, lparam)) return 0;
            return DefWindowProcA(window, message, wparam, lparam);
    }
}

int desktop_size(int code, int desktop) {
    switch (code) {
        case SIZE_FULL_DESKTOP: return desktop;
        case SIZE_QUARTER_DESKTOP: return desktop / 4;
        case SIZE_HALF_DESKTOP: return desktop / 2;
        default: return code;
    }
}

}  // namespace

void create_text_window(int width, int height) {
    HostState& h = host_state();
    RECT desktop = {0, 0, 0, 0};
    GetWindowRect(GetDesktopWindow(), &desktop);
    // Sizes in pixels are meant at 96 DPI, the size the text's system font has there.
    const int dpi = window_dpi(nullptr);
    width =
        width > 0 ? scaled_to_dpi(width, dpi) : desktop_size(width, desktop.right - desktop.left);
    height = height > 0 ? scaled_to_dpi(height, dpi)
                        : desktop_size(height, desktop.bottom - desktop.top);

    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_BYTEALIGNCLIENT | CS_NOCLOSE;
    wc.lpfnWndProc = text_window_proc;
    wc.hInstance = h.instance;
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hIconSm = LoadIconA(nullptr, IDI_WINLOGO);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = TEXT_CLASS;
    RegisterClassExA(&wc);

    const HWND window =
        CreateWindowExA(0, TEXT_CLASS, TEXT_TITLE, TEXT_WINDOW_STYLE, CW_USEDEFAULT, CW_USEDEFAULT,
                        width, height, nullptr, nullptr, h.instance, nullptr);
    if (window == nullptr) return;
    h.text.window = window;
    h.text.width = width;
    h.text.height = height;
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, TEXT_WINDOW_STYLE, FALSE, 0);
    h.text.line_start_x = frame.right;
    attach_text_surface(&text_surface());
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
}

void destroy_text_window_backing() {
    TextWindowState& t = host_state().text;
    attach_text_surface(nullptr);
    if (t.backing_dc == nullptr) return;
    SelectObject(t.backing_dc, t.backing_old_bitmap);
    DeleteDC(t.backing_dc);
    DeleteObject(t.backing_bitmap);
    t.backing_dc = nullptr;
    t.backing_bitmap = nullptr;
}

void activate_text_window() {
    const HWND window = host_state().text.window;
    if (window != nullptr) PostMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0);
}
