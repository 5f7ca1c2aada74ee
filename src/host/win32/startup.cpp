// Host start-up, the main window, the host menu and the end of the program.
#include <algorithm>
#include <cstdlib>
#include <new>

#include "host/common/app_entry.h"
#include "host/common/command_line.h"
#include "host/host.h"
#include "host/win32/app_control.h"
#include "host/win32/dpi.h"
#include "host/win32/host_internal.h"
#include "host/win32/host_state.h"
#include "host/win32/resource_ids.h"
#include "host/win32/win32_host.h"

#include <commctrl.h>

const char* const HOST_CAPTION = " tarvolo Zel kon interface";

HostState& host_state() {
    static HostState state;
    return state;
}

void reset_host_state() {
    HostState& h = host_state();
    h.~HostState();
    new (&h) HostState();
}

namespace {

constexpr const char* MAIN_CLASS = "ZKI_main";
// Sent to a per-monitor aware window whose monitor's DPI changed (Windows 8.1 and later).
constexpr UINT DPI_CHANGED_MESSAGE = 0x02E0;
constexpr const char* MAIN_TITLE = "tarvolo Zelkon interface";

void end_program() {
    host_state().ending.store(true);
    stop_app_thread();
    destroy_text_window_backing();
    app_entry_points().free_data();
    destroy_screen();
    PostQuitMessage(0);
}

void pause_application() {
    const HWND window = host_state().main_window.load();
    const HoldResult how = hold_app_thread();
    if (how == HoldResult::failed) {
        MessageBoxA(window, "スレッドの停止に失敗しました", HOST_CAPTION, MB_ICONERROR);
        PostQuitMessage(0);
        return;
    }
    MessageBoxA(window, "Zelkon アプリケーションは停止中です", HOST_CAPTION, MB_ICONERROR);
    if (!release_app_thread(how)) {
        MessageBoxA(window, "スレッドの再開に失敗しました", HOST_CAPTION,
                    MB_ICONERROR | MB_SYSTEMMODAL);
        PostQuitMessage(0);
    }
}

void run_host_command(HostState& h, int id) {
    const HWND window = h.main_window.load();
    switch (id) {
        case ID_HOST_PAUSE: pause_application(); break;
        case ID_HOST_QUIT:
            if (MessageBoxA(window, "終了してよろしいですか", HOST_CAPTION, MB_YESNO) == IDYES) {
                PostQuitMessage(0);
            }
            break;
        case ID_HOST_SIZE_STANDARD:
        case ID_HOST_SIZE_DOUBLE: {
            const int scale = id == ID_HOST_SIZE_DOUBLE ? 2 : 1;
            resize_main_window(h.canvas_width * scale, h.canvas_height * scale);
            break;
        }
        case ID_HOST_ABOUT:
            MessageBoxA(
                window,
                "Zel kon interface\n順次型のプログラムをウィンドウの中で動かすためのホスト層です。",
                HOST_CAPTION, MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
            break;
        default: break;
    }
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    HostState& h = host_state();
    switch (message) {
        case WM_DESTROY:
            // Runs once, whether request_exit posted the message or the window is destroyed.
            if (!h.ending.load()) end_program();
            break;
        case WM_SIZE:
            h.client_width.store(LOWORD(lparam));
            h.client_height.store(HIWORD(lparam));
            repaint_canvas();
            break;
        case WM_PAINT: {
            // Validate (and so erase) first: presenting before the erase would leave the
            // canvas painted over with the white background.
            PAINTSTRUCT ps;
            BeginPaint(window, &ps);
            EndPaint(window, &ps);
            repaint_canvas();
            break;
        }
        case WM_CHAR: break;
        case WM_COMMAND: run_host_command(h, LOWORD(wparam)); break;
        case WM_HOST_WAKE: h.wake_pending.store(false); break;
        case DPI_CHANGED_MESSAGE: {
            // Moved to a monitor of another scale: the same multiple of the canvas there.
            const int old_standard = h.canvas_width * h.pixel_scale;
            const int multiple =
                std::max(1, (h.client_width.load() + old_standard / 2) / old_standard);
            h.pixel_scale = whole_pixel_scale(LOWORD(wparam));
            resize_main_window(h.canvas_width * multiple, h.canvas_height * multiple);
            return 0;
        }
        default:
            if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) note_pointer_input();
            record_button_message(window, message, lparam);
            break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

bool register_main_class(HINSTANCE instance) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_BYTEALIGNCLIENT;
    wc.lpfnWndProc = main_window_proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hIconSm = LoadIconA(nullptr, IDI_WINLOGO);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszMenuName = "ZKI_MAINMENU";
    wc.lpszClassName = MAIN_CLASS;
    return RegisterClassExA(&wc) != 0;
}

}  // namespace

void resize_main_window(int width, int height) {
    HostState& h = host_state();
    const HWND window = h.main_window.load();
    width *= h.pixel_scale;
    height *= h.pixel_scale;
    RECT r;
    GetWindowRect(window, &r);
    r.right = r.left + width;
    r.bottom = r.top + height;
    AdjustWindowRectEx(&r, MAIN_WINDOW_STYLE, TRUE, 0);
    if (r.top < 0) {
        r.bottom -= r.top;
        r.top = 0;
    }
    MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    // The frame measured at the system's DPI may differ from the frame on this monitor (and a
    // menu bar may wrap): the client area is what must come out whole.
    RECT client;
    GetClientRect(window, &client);
    const int short_x = width - client.right;
    const int short_y = height - client.bottom;
    if (short_x != 0 || short_y != 0) {
        MoveWindow(window, r.left, r.top, r.right - r.left + short_x, r.bottom - r.top + short_y,
                   TRUE);
    }
}

void wake_gui_thread() {
    HostState& h = host_state();
    if (!h.wake_pending.exchange(true)) PostMessageA(h.main_window.load(), WM_HOST_WAKE, 0, 0);
}

void request_exit() { PostMessageA(host_state().main_window.load(), WM_DESTROY, 0, 0); }

namespace {
// The fine timer resolution lasts exactly as long as the host runs, whichever way it returns.
struct FineTimer {
    FineTimer() { begin_fine_timer(); }
    ~FineTimer() { end_fine_timer(); }
    FineTimer(const FineTimer&) = delete;
    FineTimer& operator=(const FineTimer&) = delete;
};
}  // namespace

int win32_host_main(HINSTANCE instance, const char* command_line, int show,
                    const AppEntryPoints& app) {
    set_app_entry_points(app);
    const FineTimer fine_timer;
    HostState& h = host_state();
    set_command_line(command_line);
    reset_host_state();
    h.instance = instance;
    h.pointer_input = CreateEventA(nullptr, FALSE, FALSE, nullptr);

    if (!register_main_class(instance)) return 0;
    InitCommonControls();

    const HWND window = CreateWindowExA(
        0, MAIN_CLASS, MAIN_TITLE, MAIN_WINDOW_STYLE, CW_USEDEFAULT, CW_USEDEFAULT,
        h.client_width.load(), h.client_height.load(), nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 0;
    h.main_window.store(window);
    h.pixel_scale = whole_pixel_scale(window_dpi(window));
    ShowWindow(window, show);
    UpdateWindow(window);

    if (h.text_window_switch == TEXT_WINDOW_ENABLED) {
        create_text_window(h.text_window_width, h.text_window_height);
    }
    h.bitmap_description = static_cast<BITMAPINFO*>(std::calloc(1, BITMAP_DESCRIPTION_BYTES));

    h.app_thread = CreateThread(nullptr, 0, app_thread_main, nullptr, 0, nullptr);
    if (h.app_thread == nullptr) {
        MessageBoxA(window, "スレッドを生成できませんでした。", HOST_CAPTION, MB_ICONERROR);
        request_exit();
    }
    resize_main_window(h.canvas_width, h.canvas_height);
    if (h.app_thread != nullptr) SetThreadPriority(h.app_thread, h.thread_priority);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // The quit question ends the program with the application thread still inside app_main; it
    // must not run on while the runtime tears the process down.
    if (!h.ending.exchange(true)) stop_app_thread();
    return static_cast<int>(msg.wParam);
}
