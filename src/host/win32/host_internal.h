// Functions the files of the Win32 host call on each other (not part of the host interface).
#pragma once

#include <windows.h>

// Screen: frees the canvas bitmap and the bitmap description at the end.
void destroy_screen();
// Draws the canvas on the main window as it is now, whatever was presented before (GUI thread:
// paints and size changes).
void repaint_canvas();

// Text window: creation at start-up and the release of its backing bitmap at the end.
void create_text_window(int width, int height);
void destroy_text_window_backing();

// Pointer: applies a button message of either window to the pointer state (capture included).
// False for any other message.
bool record_button_message(HWND window, UINT message, LPARAM position);

// After drawing on a window: some platforms (Wine's window surfaces) show what another thread
// drew only once the window's own thread handles a message, so that thread is woken.
void wake_gui_thread();
// The message that wakes it; it carries nothing.
constexpr UINT WM_HOST_WAKE = WM_APP + 1;

// Error guard: the start routine of the application thread.
DWORD WINAPI app_thread_main(void* unused);

// Timing: the 1 ms timer resolution, asked for at start-up and given back at the end.
void begin_fine_timer();
void end_fine_timer();
// The GUI thread saw a mouse message in one of the windows.
void note_pointer_input();
// A pointer poll gives up the processor: about a millisecond, longer while poll after poll finds
// no input and no timing is going on, and never past the next mouse message.
void wait_for_pointer_input();
