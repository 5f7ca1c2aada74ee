// The canvas (a DIB section of palette indices) and the platform palette built from the store.
#include <cstdlib>
#include <cstring>

#include "host/host.h"
#include "host/common/app_gate.h"
#include "host/common/palette_dump.h"
#include "host/common/palette_store.h"
#include "host/win32/host_internal.h"
#include "host/win32/host_state.h"

namespace {

// False when the display has no system palette to report (a true-colour display).
bool store_system_entries(HDC dc, int first) {
    PALETTEENTRY entries[10];
    if (GetSystemPaletteEntries(dc, first, 10, entries) != 10) return false;
    for (int i = 0; i < 10; ++i) {
        palette_set(first + i, static_cast<uint32_t>(entries[i].peRed) |
                                   static_cast<uint32_t>(entries[i].peGreen) << 8 |
                                   static_cast<uint32_t>(entries[i].peBlue) << 16);
    }
    return true;
}

void realise_palette(HDC dc) {
    const HPALETTE palette = host_state().palette;
    if (palette == nullptr) return;
    SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
}

void stretch_canvas(HDC dc) {
    HostState& h = host_state();
    if (h.screen.bits == nullptr || h.bitmap_description == nullptr) return;
    const int width = h.client_width.load();
    const int height = h.client_height.load();
    if (width <= 0 || height <= 0) return;
    StretchDIBits(dc, 0, 0, width, height, 0, 0, h.screen.width, h.screen.height, h.screen.bits,
                  h.bitmap_description, DIB_RGB_COLORS, SRCCOPY);
}

void fill_bitmap_description() {
    HostState& h = host_state();
    BITMAPINFOHEADER& header = h.bitmap_description->bmiHeader;
    header = {};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = h.screen.width;
    header.biHeight = -h.screen.height;  // top row first in memory
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biCompression = BI_RGB;
    header.biSizeImage = 0;
    header.biXPelsPerMeter = 100;
    header.biYPelsPerMeter = 100;
    header.biClrUsed = 256;
    header.biClrImportant = 0;
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry e = palette_get(i);
        h.bitmap_description->bmiColors[i] = {e.blue, e.green, e.red, 0};
    }
}

void paint_canvas() {
    const HWND window = host_state().main_window.load();
    if (window == nullptr) return;
    HDC dc = GetDC(window);
    realise_palette(dc);
    stretch_canvas(dc);
    ReleaseDC(window, dc);
}

}  // namespace

const VirtualScreen& virtual_screen() { return host_state().screen; }

void load_system_colors() {
    const HWND window = host_state().main_window.load();
    HDC dc = GetDC(window);
    if (!store_system_entries(dc, 0) || !store_system_entries(dc, 246)) {
        store_fixed_system_colors();
    }
    ReleaseDC(window, dc);
}

void build_palette() {
    // LOGPALETTE holds one entry; the other 255 follow it in the same block.
    struct {
        LOGPALETTE head;
        PALETTEENTRY more[255];
    } block;
    block.head.palVersion = 0x300;
    block.head.palNumEntries = 256;
    PALETTEENTRY* entries = block.head.palPalEntry;
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry e = palette_get(i);
        // The grey ramp gets slots of its own; the ends map onto the display's fixed colours.
        const BYTE flags = (i >= 10 && i <= 245) ? PC_NOCOLLAPSE : 0;
        entries[i] = {e.red, e.green, e.blue, flags};
    }
    host_state().palette = CreatePalette(&block.head);
}

void create_screen() {
    HostState& h = host_state();
    if (h.bitmap_description == nullptr || h.screen.bits != nullptr) return;
    fill_bitmap_description();
    const HWND window = h.main_window.load();
    HDC dc = GetDC(window);
    realise_palette(dc);
    void* bits = nullptr;
    h.canvas_bitmap = CreateDIBSection(dc, h.bitmap_description, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (h.canvas_bitmap == nullptr) {
        // StretchDIBits draws from any memory, so the canvas can live on the heap instead.
        bits = std::calloc(static_cast<size_t>(h.screen.width) * h.screen.height, 1);
    }
    h.screen.bits = static_cast<uint8_t*>(bits);
    stretch_canvas(dc);
    ReleaseDC(window, dc);
}

void repaint_canvas() {
    host_state().drawn_over.store(true);
    paint_canvas();
}

void present_screen() {
    app_gate_pass();
    HostState& h = host_state();
    if (h.screen.bits == nullptr) {
        paint_canvas();
        return;
    }
    const size_t size = static_cast<size_t>(h.screen.width) * h.screen.height;
    const int32_t width = h.client_width.load();
    const int32_t height = h.client_height.load();
    const bool drawn_over = h.drawn_over.exchange(false);
    if (!drawn_over && width == h.presented_width && height == h.presented_height &&
        h.palette == h.presented_palette && h.presented.size() == size &&
        std::memcmp(h.presented.data(), h.screen.bits, size) == 0) {
        return;
    }
    h.presented.assign(h.screen.bits, h.screen.bits + size);
    h.presented_width = width;
    h.presented_height = height;
    h.presented_palette = h.palette;
    paint_canvas();
    wake_gui_thread();
}

void destroy_screen() {
    HostState& h = host_state();
    if (h.canvas_bitmap != nullptr) {
        DeleteObject(h.canvas_bitmap);
    } else {
        std::free(h.screen.bits);
    }
    h.canvas_bitmap = nullptr;
    h.screen.bits = nullptr;
    std::free(h.bitmap_description);
    h.bitmap_description = nullptr;
}

void dump_palette() {
    PaletteEntry system[256];
    const HWND window = host_state().main_window.load();
    HDC dc = GetDC(window);
    PALETTEENTRY entries[256];
    const bool has_palette = GetSystemPaletteEntries(dc, 0, 256, entries) == 256;
    ReleaseDC(window, dc);
    for (int i = 0; i < 256; ++i) {
        // A true-colour display reports no system palette: compare with the fixed colours that
        // load_system_colors falls back to there.
        system[i] = has_palette
                        ? PaletteEntry{entries[i].peRed, entries[i].peGreen, entries[i].peBlue}
                        : fixed_system_palette_entry(i);
    }
    write_palette_dump(system);
}
