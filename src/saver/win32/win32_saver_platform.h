// The saver's window system on Windows: the real window, message loop, timer and picture.
#pragma once

#include "saver/core/saver_platform.h"
#include "saver/core/settings_store.h"

#include <windows.h>

class Win32SaverPlatform : public SaverPlatform {
public:
    Win32SaverPlatform(HINSTANCE instance, SettingsStore& settings);
    ~Win32SaverPlatform() override;
    Win32SaverPlatform(const Win32SaverPlatform&) = delete;
    Win32SaverPlatform& operator=(const Win32SaverPlatform&) = delete;

    bool register_window_class(const char* class_name) override;
    WindowHandle create_window(SaverWindow* owner, const char* class_name,
                               WindowHandle host) override;
    void destroy_window(WindowHandle window) override;
    void show_window(WindowHandle window) override;
    void client_size(WindowHandle window, int32_t* width, int32_t* height) override;
    void post_close(WindowHandle window) override;
    void post_quit(int code) override;
    intptr_t default_handling(WindowHandle window, uint32_t message, uintptr_t first,
                              intptr_t second) override;
    PaintContext begin_paint(WindowHandle window) override;
    void end_paint(WindowHandle window, const PaintContext& paint) override;
    MessageStep take_message(int* quit_code) override;
    void wait_message() override;
    void wait_message_for(uint32_t milliseconds) override;
    uint32_t now_ms() override;
    ScreenPoint cursor_position() override;
    void show_cursor(bool visible) override;
    int password_prompt(WindowHandle owner) override;
    void show_error(WindowHandle owner, const char* text, const char* caption) override;
    bool create_picture(WindowHandle window, SaverPicture* picture) override;
    void present_picture(WindowHandle window, const SaverPicture& picture,
                         const PaintContext* paint, int32_t width, int32_t height) override;
    void release_picture(SaverPicture* picture) override;

private:
    HINSTANCE instance_;
    SettingsStore& settings_;
    // Where the picture goes in the saver window: the primary monitor in a full-screen window
    // over every monitor; the whole client area (size 0) in a preview.
    POINT picture_origin_{0, 0};
    SIZE picture_size_{0, 0};
};

inline HWND hwnd_of(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle handle_of(HWND window) { return reinterpret_cast<WindowHandle>(window); }
