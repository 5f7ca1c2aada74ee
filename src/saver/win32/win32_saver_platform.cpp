#include "saver/win32/win32_saver_platform.h"

#include "saver/core/saver_picture.h"
#include "saver/core/saver_window.h"
#include "saver/win32/saver_dialogs.h"

#include <mmsystem.h>

namespace {

// One procedure for every saver window. The object travels in the creation parameters and then
// lives in the window's extra bytes; the few messages before WM_NCCREATE get the default.
LRESULT CALLBACK saver_procedure(HWND window, UINT message, WPARAM first, LPARAM second) {
    auto* saver = reinterpret_cast<SaverWindow*>(GetWindowLongPtrA(window, 0));
    if (saver == nullptr) {
        if (message != WM_NCCREATE) return DefWindowProcA(window, message, first, second);
        saver = static_cast<SaverWindow*>(reinterpret_cast<CREATESTRUCTA*>(second)->lpCreateParams);
        SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(saver));
    }
    return saver->handle_message(handle_of(window), message, first, second);
}

// The picture's description with its two colours, and the matching palette.
struct PictureInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
};

struct Win32Picture {
    PictureInfo info;
    HBITMAP bitmap;
    HPALETTE palette;
};

PictureInfo picture_info() {
    PictureInfo info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = PICTURE_WIDTH;
    info.header.biHeight = PICTURE_HEIGHT;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biSizeImage = 0;
    info.header.biXPelsPerMeter = 100;
    info.header.biYPelsPerMeter = 100;
    info.header.biClrUsed = 2;
    info.header.biClrImportant = 2;
    info.colours[0] = RGBQUAD{0, 0, 0, 0};
    info.colours[1] = RGBQUAD{255, 255, 255, 0};
    return info;
}

HPALETTE two_colour_palette() {
    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[2];
    } palette{0x300, 2, {{0, 0, 0, 0}, {255, 255, 255, 0}}};
    return CreatePalette(reinterpret_cast<LOGPALETTE*>(&palette));
}

}  // namespace

Win32SaverPlatform::Win32SaverPlatform(HINSTANCE instance, SettingsStore& settings)
    : instance_(instance), settings_(settings) {
    // The waits between frames end on the millisecond only with the fine timer resolution.
    timeBeginPeriod(1);
}

Win32SaverPlatform::~Win32SaverPlatform() { timeEndPeriod(1); }

bool Win32SaverPlatform::register_window_class(const char* class_name) {
    WNDCLASSA window_class{};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = saver_procedure;
    // Room for the object pointer: a pointer is 8 bytes on 64-bit Windows.
    window_class.cbWndExtra = sizeof(LONG_PTR);
    window_class.hInstance = instance_;
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    window_class.lpszClassName = class_name;
    // A second saver object in the same run finds the class already there.
    return RegisterClassA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

WindowHandle Win32SaverPlatform::create_window(SaverWindow* owner, const char* class_name,
                                               WindowHandle host) {
    HWND window = nullptr;
    if (host == NO_WINDOW) {
        // Over every monitor, so that none shows the desktop; the picture goes on the primary
        // one (at the screen's origin) and the class's black brush covers the rest.
        const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        picture_origin_ = POINT{-left, -top};
        picture_size_ = SIZE{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, class_name, class_name, WS_POPUP,
                                 left, top, GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                 GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr, nullptr, instance_,
                                 owner);
    } else {
        picture_origin_ = POINT{0, 0};
        picture_size_ = SIZE{0, 0};
        RECT rect{};
        if (!GetWindowRect(hwnd_of(host), &rect)) return NO_WINDOW;
        window = CreateWindowExA(0, class_name, "", WS_CHILD, 0, 0, rect.right - rect.left,
                                 rect.bottom - rect.top, hwnd_of(host), nullptr, instance_, owner);
    }
    return handle_of(window);
}

void Win32SaverPlatform::destroy_window(WindowHandle window) { DestroyWindow(hwnd_of(window)); }

void Win32SaverPlatform::show_window(WindowHandle window) {
    ShowWindow(hwnd_of(window), SW_SHOW);
    UpdateWindow(hwnd_of(window));
}

void Win32SaverPlatform::client_size(WindowHandle window, int32_t* width, int32_t* height) {
    if (picture_size_.cx > 0) {
        // Full screen: the picture's extent is the primary monitor.
        *width = picture_size_.cx;
        *height = picture_size_.cy;
        return;
    }
    RECT rect{};
    GetClientRect(hwnd_of(window), &rect);
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
}

void Win32SaverPlatform::post_close(WindowHandle window) {
    PostMessageA(hwnd_of(window), WM_CLOSE, 0, 0);
}

void Win32SaverPlatform::post_quit(int code) { PostQuitMessage(code); }

intptr_t Win32SaverPlatform::default_handling(WindowHandle window, uint32_t message,
                                              uintptr_t first, intptr_t second) {
    return DefWindowProcA(hwnd_of(window), message, first, second);
}

PaintContext Win32SaverPlatform::begin_paint(WindowHandle window) {
    auto* paint = new PAINTSTRUCT{};
    HDC device = BeginPaint(hwnd_of(window), paint);
    return PaintContext{device, paint};
}

void Win32SaverPlatform::end_paint(WindowHandle window, const PaintContext& paint) {
    auto* info = static_cast<PAINTSTRUCT*>(paint.native);
    EndPaint(hwnd_of(window), info);
    delete info;
}

MessageStep Win32SaverPlatform::take_message(int* quit_code) {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return MessageStep::NONE;
    if (message.message == WM_QUIT) {
        *quit_code = static_cast<int>(message.wParam);
        return MessageStep::QUIT;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return MessageStep::DISPATCHED;
}

void Win32SaverPlatform::wait_message() { WaitMessage(); }

void Win32SaverPlatform::wait_message_for(uint32_t milliseconds) {
    // MWMO_INPUTAVAILABLE also wakes for input that arrived before the call and is still queued,
    // so input ends the saver at once however the wait falls.
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

uint32_t Win32SaverPlatform::now_ms() { return timeGetTime(); }

ScreenPoint Win32SaverPlatform::cursor_position() {
    POINT point{};
    GetCursorPos(&point);
    return ScreenPoint{point.x, point.y};
}

void Win32SaverPlatform::show_cursor(bool visible) { ShowCursor(visible ? TRUE : FALSE); }

int Win32SaverPlatform::password_prompt(WindowHandle owner) {
    return run_password_prompt(hwnd_of(owner), settings_);
}

void Win32SaverPlatform::show_error(WindowHandle owner, const char* text, const char* caption) {
    MessageBoxA(hwnd_of(owner), text, caption, MB_ICONERROR | MB_OK);
}

bool Win32SaverPlatform::create_picture(WindowHandle window, SaverPicture* picture) {
    auto* native = new Win32Picture{picture_info(), nullptr, nullptr};
    HDC device = GetDC(hwnd_of(window));
    void* bits = nullptr;
    native->bitmap = CreateDIBSection(device, reinterpret_cast<BITMAPINFO*>(&native->info),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(hwnd_of(window), device);
    native->palette = two_colour_palette();
    if (native->bitmap == nullptr || bits == nullptr || native->palette == nullptr) {
        if (native->bitmap != nullptr) DeleteObject(native->bitmap);
        if (native->palette != nullptr) DeleteObject(native->palette);
        delete native;
        return false;
    }
    picture->bits = static_cast<uint8_t*>(bits);
    picture->native = native;
    return true;
}

void Win32SaverPlatform::present_picture(WindowHandle window, const SaverPicture& picture,
                                         const PaintContext* paint, int32_t width, int32_t height) {
    auto* native = static_cast<Win32Picture*>(picture.native);
    HDC device = paint != nullptr ? static_cast<HDC>(paint->device) : GetDC(hwnd_of(window));
    HPALETTE previous = SelectPalette(device, native->palette, FALSE);
    RealizePalette(device);
    StretchDIBits(device, picture_origin_.x, picture_origin_.y, width, height, 0, 0, PICTURE_WIDTH,
                  PICTURE_HEIGHT, picture.bits, reinterpret_cast<BITMAPINFO*>(&native->info),
                  DIB_RGB_COLORS, SRCCOPY);
    SelectPalette(device, previous, FALSE);
    if (paint == nullptr) ReleaseDC(hwnd_of(window), device);
}

void Win32SaverPlatform::release_picture(SaverPicture* picture) {
    auto* native = static_cast<Win32Picture*>(picture->native);
    if (native != nullptr) {
        DeleteObject(native->bitmap);
        DeleteObject(native->palette);
        delete native;
    }
    picture->native = nullptr;
    picture->bits = nullptr;
}
