// The arithmetic behind read_pointer and take_pointer (host.h), exposed for the backends and tests.
#pragma once

// Canvas coordinates (320 x 240) of screen point (screen_x, screen_y) for a client area at
// (client_left, client_top) of client_width x client_height: multiplied first, then divided with
// truncation toward zero, not clamped; (0, 0) when either client size is 0.
void canvas_from_client(int screen_x, int screen_y, int client_left, int client_top,
                        int client_width, int client_height, int* x, int* y);
