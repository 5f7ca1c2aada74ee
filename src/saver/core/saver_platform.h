// What the saver's windows need from the window system. The Win32 front implements it with the
// real calls, the Qt front with Qt, and the tests with a fake clock and a message queue.
#pragma once

#include <cstdint>

class SaverWindow;

using WindowHandle = intptr_t;
inline constexpr WindowHandle NO_WINDOW = 0;

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// The window messages the saver reacts to, numbered as the window system numbers them so that the
// Win32 front can pass its messages through unchanged.
enum SaverMessage : uint32_t {
    SAVER_MSG_DESTROY = 0x0002,
    SAVER_MSG_PAINT = 0x000F,
    SAVER_MSG_CLOSE = 0x0010,
    SAVER_MSG_KEY_DOWN = 0x0100,
    SAVER_MSG_MOUSE_MOVE = 0x0200,
    SAVER_MSG_LEFT_BUTTON_DOWN = 0x0201,
    SAVER_MSG_RIGHT_BUTTON_DOWN = 0x0204,
};

// A drawing surface handed to on_paint; opaque to the core.
struct PaintContext {
    void* device = nullptr;
    void* native = nullptr;
};

// The 320 x 240 two-colour picture: one byte per pixel, 0 black and 1 white, bottom row first.
struct SaverPicture {
    uint8_t* bits = nullptr;
    void* native = nullptr;
};

enum class MessageStep { NONE, DISPATCHED, QUIT };

class SaverPlatform {
public:
    virtual ~SaverPlatform() = default;

    // Windows.
    virtual bool register_window_class(const char* class_name) = 0;
    // A full-screen top-most window when host is NO_WINDOW, else a child covering the host. The
    // window is not visible yet; its messages go to owner->handle_message from the first one.
    virtual WindowHandle create_window(SaverWindow* owner, const char* class_name,
                                       WindowHandle host) = 0;
    // Sends SAVER_MSG_DESTROY to the owner before the window goes.
    virtual void destroy_window(WindowHandle window) = 0;
    virtual void show_window(WindowHandle window) = 0;
    virtual void client_size(WindowHandle window, int32_t* width, int32_t* height) = 0;
    virtual void post_close(WindowHandle window) = 0;
    virtual void post_quit(int code) = 0;
    virtual intptr_t default_handling(WindowHandle window, uint32_t message, uintptr_t first,
                                      intptr_t second) = 0;
    virtual PaintContext begin_paint(WindowHandle window) = 0;
    virtual void end_paint(WindowHandle window, const PaintContext& paint) = 0;

    // The message loop: take one waiting message without blocking and dispatch it, or say that
    // none is waiting, or that the quit message came (with its code).
    virtual MessageStep take_message(int* quit_code) = 0;
    virtual void wait_message() = 0;
    // Returns when a message is waiting or about `milliseconds` have passed, whichever is first.
    virtual void wait_message_for(uint32_t milliseconds) = 0;
    // The system's millisecond timer; wraps around after 2^32 ms.
    virtual uint32_t now_ms() = 0;

    // Input.
    virtual ScreenPoint cursor_position() = 0;
    virtual void show_cursor(bool visible) = 0;
    // The modal password prompt owned by `owner`: 1 when the saver may end, anything else when
    // the user cancelled.
    virtual int password_prompt(WindowHandle owner) = 0;
    virtual void show_error(WindowHandle owner, const char* text, const char* caption) = 0;

    // The picture and its two-colour palette; `paint` is null for drawing outside a paint.
    virtual bool create_picture(WindowHandle window, SaverPicture* picture) = 0;
    virtual void present_picture(WindowHandle window, const SaverPicture& picture,
                                 const PaintContext* paint, int32_t width, int32_t height) = 0;
    virtual void release_picture(SaverPicture* picture) = 0;
};
