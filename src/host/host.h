// The host operations: the editor's only door to the platform.
//
// Exactly one backend (win32, qt or script) is linked into a program and implements every
// function declared here that is not marked "portable" (those live in src/host/common and are
// shared by all backends). Unless a declaration says otherwise, an operation is called only from
// the application thread, the thread that runs the editor's main routine. All strings are NUL-terminated
// Shift-JIS (code page 932) bytes; paths are opaque bytes in the platform's encoding.
#pragma once

#include <cstdint>

#include "raster/canvas.h"

// ---- Required from the application -------------------------------------------------------------

// The editor's entry points, handed to the backend's main function at start; the host calls up
// into the editor only through them.
struct AppEntryPoints {
    // The editor's main routine, run on the application thread inside the error guard. Never
    // returns in normal use; the host stops the thread at its end.
    void (*main)();
    // Releases the editor's data. Called once on the GUI thread after the application thread has
    // been stopped for good, when the program ends through the close box or request_exit.
    void (*free_data)();
    // The editor's save command; the error guard calls it for the emergency save.
    void (*save_animation)();
};

// ---- Start-up, windows and the end (host) -----------------------------------------------------

// Makes the main window's client area width x height pixels (the canvas stays 320 x 240 and is
// stretched to it).
void resize_main_window(int width, int height);
// Asks the host to end the program and returns at once. The caller must not touch anything
// afterwards: the host stops the application thread at its next host call (or wherever it is) and
// then releases the editor's data.
void request_exit();
// The file named on the command line, without one pair of surrounding double quotes; nullptr
// when the command line was empty. Valid for the whole run. Any thread.
const char* command_line_file();

// ---- Virtual screen and palette ----------------------------------------------------------------

// The 320 x 240 canvas, one palette index per byte, rows top-down and contiguous. `bits` is null
// until create_screen has run and then stays valid until the program ends.
struct VirtualScreen {
    int32_t width = CANVAS_WIDTH;
    int32_t height = CANVAS_HEIGHT;
    uint8_t* bits = nullptr;
};
const VirtualScreen& virtual_screen();

// Portable palette store: 256 entries of {red, green, blue}. Any thread; not thread-safe.
struct PaletteEntry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};
void palette_open();
void palette_close();
// With the key 11000 writes the grey ramp into entries 10-245 (entry 10 + n gets
// n * 71089 >> 16); any other key changes nothing.
void palette_init_gray(int key);
// Stores a packed colour (bits 0-7 red, 8-15 green, 16-23 blue); -1 for an index outside 0-255.
int palette_set(int index, uint32_t colour);
// An index outside 0-255 reads entry 0.
PaletteEntry palette_get(int index);

// Copies the display's system colours into entries 0-9 and 246-255 of the palette store (a host
// without a system palette stores fixed colours there: entry 0 black, entry 255 white).
void load_system_colors();
// Builds the platform palette from the palette store. Later store changes are not seen by it.
void build_palette();
// Gives the canvas its memory and colour table (from the palette store) and presents it once.
void create_screen();
// Shows the whole canvas stretched to the client area. Also called by the host's GUI thread.
void present_screen();
// Diagnosis only (the editor never calls it): writes the palette store beside the display's
// palette into paldump.dat in the current directory, with a warning line where they differ.
void dump_palette();

// ---- Pointer ------------------------------------------------------------------------------------

// The pointer in screen coordinates and the two held flags (1 or 0), unchanged.
void read_pointer_screen(int* x, int* y, int* right, int* left);
// The main window's client area: screen position of its top-left corner and its size.
void get_client_geometry(int* left, int* top, int* width, int* height);
// Portable: the pointer in canvas coordinates (not clamped; (0, 0) for a client area of size 0)
// and the two held flags, unchanged.
void read_pointer(int* x, int* y, int* right, int* left);
// Portable: as read_pointer, but each flag read as 1 is cleared, so each press is reported once.
void take_pointer(int* x, int* y, int* right, int* left);
// Portable: waits until no flag is set, then until one is; returns that reading in screen
// coordinates. Clears nothing.
void wait_click(int* x, int* y, int* right, int* left);
// Portable: the last release position (client pixels) and button (1 right, 2 left).
void get_last_release(int* x, int* y, int* button);

// ---- Text window ----------------------------------------------------------------------------------

// Portable: whitens the text window and moves the text cursor to (0, 0).
void clear_text();
// Portable: moves the text cursor to character cell (column, row), measured with "D". A column of
// 2048 or more is ignored.
void set_text_pos(int column, int row);
// Portable: prints `length` bytes of `text` (up to its NUL when length is -1) at the cursor;
// "\n" and "\r" each start a new line. Nothing wraps or scrolls.
void print_text(const char* text, int length = -1);
// Brings the text window to the front (the menu loop calls it on a right press).
void activate_text_window();

// ---- Dialogs and message boxes -----------------------------------------------------------------

// Modal value dialog over minimum ... maximum starting at *value. Returns 0 for OK, -1 for Cancel;
// *value always holds the dialog's last value on return.
int input_value(int maximum, int minimum, int* value);
// Modal one-line text dialog starting with buffer's text. Returns 0 for OK (the text, cut to
// capacity - 1 bytes, is copied into buffer), -1 for Cancel or a null buffer (buffer unchanged).
int input_string(char* buffer, int capacity);

enum class MessageButtons { ok, yes_no, retry_cancel };
enum class MessageIcon { none, error, exclamation, information };
enum class MessageAnswer { ok, yes, no, retry, cancel };
// A modal message box owned by the main window. The first button is the default. Closing a box by
// other means answers Cancel (retry_cancel), No (yes_no) or OK (ok).
MessageAnswer message_box(const char* text, const char* title, MessageButtons buttons,
                          MessageIcon icon);

// Capacity of the path and name buffers handed to the file dialogs, including the NUL.
constexpr int FILE_NAME_CAPACITY = 2048;
// Modal open dialog: `path` (FILE_NAME_CAPACITY bytes) is the initial file and receives the chosen
// full path, `name` (FILE_NAME_CAPACITY bytes) its file-name part. The filter has one entry,
// `description` with `pattern`; the file and its folder must exist. Nonzero when a file was chosen,
// 0 on cancel (buffers unchanged).
int choose_open_file(char* name, char* path, const char* title, const char* pattern,
                     const char* description);
// Readies the first-run setup's open dialog for the editor program's own file: returns the pattern
// the dialog filters on (the program's file name on this platform). Where the dialog is to start
// at the running program, writes its full path into `path` and its file-name part into `name`
// (FILE_NAME_CAPACITY bytes each); otherwise leaves both unchanged.
const char* prepare_program_file_dialog(char* name, char* path);
// Modal save dialog with the same buffers and filter; asks before overwriting an existing file and
// appends ".mpa" to a name typed without an extension. Nonzero when a name was chosen, 0 on cancel.
int choose_save_file(char* name, char* path, const char* title, const char* pattern,
                     const char* description);

// ---- Platform services -------------------------------------------------------------------------

// Milliseconds since some fixed moment, wrapping at 2^32. A host may give up the processor for a
// moment inside this call; the value returned is always the current time.
uint32_t tick_count();
// The folder that stands for the Windows directory (where mepusys.ini lives), without a trailing
// separator. Writes at most capacity bytes including the NUL; returns the length, or -1 when it
// does not fit.
int windows_directory(char* buffer, int capacity);
// The user's own folder for the configuration file, for when the Windows directory cannot hold
// it (on Windows an ordinary user may not write there): the application-data folder's "mepu"
// subfolder on Windows, made first when `create` is true. Same buffer rules as
// windows_directory; -1 where the host has no such place (on Linux the Windows directory's
// place is the user's own already).
int user_config_directory(char* buffer, int capacity, bool create);
// The platform's path separator: '\\' on Windows, '/' elsewhere.
char path_separator();

// The pen tool's immediate feedback, drawn on the window over the canvas in window client pixels,
// one pixel wide, black for pen colour 10 and white otherwise. It lasts until the next
// present_screen. feedback_begin/feedback_end bracket one use.
void feedback_begin(int pen_color);
void feedback_move_to(int x, int y);
void feedback_line_to(int x, int y);
void feedback_end();

// ---- Command log ------------------------------------------------------------------------------------

// Portable: records the low 8 bits of a dispatched command code for the crash report.
void log_command(int code);
