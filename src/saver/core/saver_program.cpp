#include "saver/core/saver_program.h"

#include "saver/core/animation_saver.h"
#include "saver/core/saver_settings.h"
#include "saver/core/saver_texts.h"

void show_settings(SaverFront& front, SaverPlatform& platform, SettingsStore& store,
                   WindowHandle owner) {
    const std::string stored = read_load_file(store);
    std::string path = stored;
    front.choose_animation_file(owner, &path);
    // The registry holds what fits its buffer; a longer choice is not stored half.
    if (path.size() >= LOAD_FILE_BUFFER) path = stored;
    if (!write_load_file(store, path) && path != stored) {
        platform.show_error(owner, TEXT_SETTINGS_NOT_STORED, CAPTION_ERROR);
    }
}

namespace {

WindowHandle window_of(const SaverCommand& command, SaverFront& front) {
    switch (command.window_source) {
        case WindowSource::ARGUMENT: return command.window;
        case WindowSource::FOREGROUND: return front.foreground_window();
        case WindowSource::NONE: break;
    }
    return NO_WINDOW;
}

void play(const SaverCommand& command, SaverPlatform& platform, SaverFront& front,
          SettingsStore& store) {
    const WindowHandle host =
        command.mode == SAVER_MODE_PREVIEW ? window_of(command, front) : NO_WINDOW;
    if (front.full_screen_saver_running(host == NO_WINDOW)) return;
    const std::string path = read_load_file(store);
    if (path.empty()) {
        show_settings(front, platform, store, front.foreground_window());
        return;
    }
    AnimationSaver saver(platform, store, path);
    if (!saver.create(host)) return;
    const bool full_screen = !saver.is_preview();
    if (full_screen) {
        front.enable_input_method(saver.window(), false);
        platform.show_cursor(false);
    }
    saver.show();
    saver.set_interval(saver_tick_interval(saver.frames_per_second()));
    saver.run();
    saver.set_interval(0);
    if (full_screen) {
        front.enable_input_method(saver.window(), true);
        platform.show_cursor(true);
    }
}

}  // namespace

int run_saver_program(const SaverCommand& command, SaverPlatform& platform, SaverFront& front,
                      SettingsStore& store) {
    switch (command.mode) {
        case SAVER_MODE_OTHER:
        case SAVER_MODE_SETTINGS:
            show_settings(front, platform, store, window_of(command, front));
            break;
        case SAVER_MODE_CHANGE_PASSWORD:
            front.change_password_dialog(window_of(command, front));
            break;
        case SAVER_MODE_FULL_SCREEN:
        case SAVER_MODE_PREVIEW: play(command, platform, front, store); break;
    }
    return 0;
}
