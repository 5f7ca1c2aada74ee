// Dots per inch of the host's windows: the programs declare per-monitor awareness, so they size
// themselves by their monitor's DPI.
#pragma once

#include <windows.h>

// The DPI `window` is shown at: its monitor's where the system tells (Windows 10 and later), else
// the system's; with no window, the system's.
int window_dpi(HWND window);
// Device pixels to one pixel at 96 DPI, in whole pixels (150 % counts as 2), at least 1.
int whole_pixel_scale(int dpi);
// `pixels` at 96 DPI, at `dpi`.
int scaled_to_dpi(int pixels, int dpi);
