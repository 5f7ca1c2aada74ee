// The Win32 host's process-wide state: one instance, owned by the GUI thread, written before the
// application thread starts or by the GUI thread, read by both threads.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "host/host.h"
#include "raster/canvas.h"

// The text window is only created when its switch holds this value.
constexpr int32_t TEXT_WINDOW_ENABLED = -1192;
// Size codes for the text window's outer size.
constexpr int32_t SIZE_FULL_DESKTOP = -894;
constexpr int32_t SIZE_QUARTER_DESKTOP = -645;
constexpr int32_t SIZE_HALF_DESKTOP = -2236;
// The bitmap header followed by 256 colour-table entries, in a block of the size it always had.
constexpr size_t BITMAP_DESCRIPTION_BYTES = 1080;
static_assert(BITMAP_DESCRIPTION_BYTES >= sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));

constexpr DWORD MAIN_WINDOW_STYLE = WS_OVERLAPPEDWINDOW;
constexpr DWORD TEXT_WINDOW_STYLE = WS_CAPTION;

extern const char* const HOST_CAPTION;

struct TextWindowState {
    HWND window = nullptr;
    int32_t width = 600;
    int32_t height = 160;
    HDC backing_dc = nullptr;
    HBITMAP backing_bitmap = nullptr;
    HGDIOBJ backing_old_bitmap = nullptr;
    int32_t line_start_x = 0;
};

struct HostState {
    int32_t canvas_width = CANVAS_WIDTH;
    int32_t canvas_height = CANVAS_HEIGHT;
    // Rewritten by the GUI thread on every size change, read by the application thread.
    std::atomic<int32_t> client_width{CANVAS_WIDTH};
    std::atomic<int32_t> client_height{CANVAS_HEIGHT};
    // Device pixels per canvas pixel at the standard size: the main window's monitor's DPI in
    // whole 96ths, so that the canvas is stretched by whole pixels and stays sharp.
    int32_t pixel_scale = 1;
    int32_t thread_priority = THREAD_PRIORITY_NORMAL;
    int32_t text_window_switch = TEXT_WINDOW_ENABLED;
    int32_t text_window_width = 600;
    int32_t text_window_height = 160;

    HINSTANCE instance = nullptr;
    std::atomic<HWND> main_window{nullptr};
    HANDLE app_thread = nullptr;

    // Canvas: the description is allocated before the application thread starts.
    BITMAPINFO* bitmap_description = nullptr;
    VirtualScreen screen;
    HBITMAP canvas_bitmap = nullptr;
    HPALETTE palette = nullptr;

    TextWindowState text;

    // Pen feedback, used by the application thread between feedback_begin and feedback_end.
    HDC feedback_dc = nullptr;
    HGDIOBJ feedback_old_pen = nullptr;

    // What the application thread presented last: presenting the same picture again draws
    // nothing, so an editor loop that presents on every poll does not keep the processor busy.
    // Anything else that draws on the window (a repaint, the pen feedback) sets drawn_over.
    std::vector<uint8_t> presented;
    int32_t presented_width = 0;
    int32_t presented_height = 0;
    HPALETTE presented_palette = nullptr;
    std::atomic<bool> drawn_over{true};

    // Set by the GUI thread on every mouse message; a waiting poll wakes on it.
    HANDLE pointer_input = nullptr;
    // How long the next poll waits (application thread only).
    DWORD poll_wait_ms = 1;

    // A WM_HOST_WAKE is on its way to the GUI thread.
    std::atomic<bool> wake_pending{false};

    // Set once the end of the program has begun.
    std::atomic<bool> ending{false};
};

HostState& host_state();
// Back to the defaults, for tests.
void reset_host_state();
