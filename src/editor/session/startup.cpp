#include "editor/session/startup.h"

#include <cstdio>
#include <string>

#include "editor/session/animation.h"
#include "editor/session/config_file.h"
#include "editor/session/editor_texts.h"
#include "editor/session/load_save.h"
#include "editor/session/menu_images.h"
#include "host/host.h"
#include "raster/raster.h"

namespace {

constexpr int GRAY_RAMP_KEY = 11000;

void prepare_palette() {
    palette_open();
    palette_init_gray(GRAY_RAMP_KEY);
    load_system_colors();
    palette_set(CANVAS_INK, 0x000000);
    build_palette();
}

int load_images_from_config(std::FILE* file) {
    const std::string folder = read_first_word(file);
    std::fclose(file);
    if (!program_folder_fits(folder)) {
        message_box(TEXT_CONFIG_FOLDER_TOO_LONG, CAPTION_RUNTIME_ERROR, MessageButtons::ok,
                    MessageIcon::error);
        return -1;
    }
    return load_menu_images(folder.c_str(), &menu_images());
}

enum class ConfigLoad { loaded, none_found, folder_wrong };

// The menu images from the folder the configuration file names: the Windows directory's file,
// else the user's own. A file whose folder is wrong gives way to the next, so that a stale one
// in the Windows directory, which an ordinary user may not delete, does not hide the user's;
// `wrong_path` receives the first such file.
ConfigLoad load_images_from_configs(std::string* wrong_path) {
    ConfigLoad load = ConfigLoad::none_found;
    for (const std::string& path : {config_file_path(), user_config_file_path(false)}) {
        std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "r");
        if (file == nullptr) {
            continue;
        }
        if (load_images_from_config(file) == 0) {
            return ConfigLoad::loaded;
        }
        if (load == ConfigLoad::none_found) {
            *wrong_path = path;
            load = ConfigLoad::folder_wrong;
        }
    }
    return load;
}

// The file whose folder was wrong goes, so that the next start runs the setup again. Where it
// cannot go (the Windows directory, for an ordinary user), the setup runs now and writes the
// user's own file, which the next start finds. True when the images are loaded.
bool recover_from_wrong_folder(const std::string& wrong_path, bool* exit_requested) {
    message_box(TEXT_PROGRAM_FOLDER_NOT_FOUND, CAPTION_RUNTIME_ERROR, MessageButtons::ok,
                MessageIcon::error);
    if (std::remove(wrong_path.c_str()) == 0) {
        message_box(TEXT_RESTART_FOR_SETUP, CAPTION_RUNTIME_ERROR, MessageButtons::ok,
                    MessageIcon::error);
        return false;
    }
    const std::string user_path = user_config_file_path(true);
    if (user_path.empty() || user_path == wrong_path) {
        char text[4096];
        std::snprintf(text, sizeof text, FORMAT_CONFIG_NOT_DELETED, wrong_path.c_str());
        message_box(text, CAPTION_RUNTIME_ERROR, MessageButtons::ok, MessageIcon::error);
        return false;
    }
    if (first_run_setup(user_path.c_str()) == SetupResult::exit_requested) {
        *exit_requested = true;
        return false;
    }
    std::FILE* file = std::fopen(user_path.c_str(), "r");
    return file != nullptr && load_images_from_config(file) == 0;
}

// The menu images by way of the configuration file, after the first-run setup where there is
// none yet.
bool load_menu_images_configured(bool* exit_requested) {
    std::string wrong_path;
    ConfigLoad load = load_images_from_configs(&wrong_path);
    if (load == ConfigLoad::none_found) {
        if (first_run_setup(config_file_path().c_str()) == SetupResult::exit_requested) {
            *exit_requested = true;
            return false;
        }
        load = load_images_from_configs(&wrong_path);
    }
    switch (load) {
        case ConfigLoad::loaded: return true;
        case ConfigLoad::none_found: return false;
        case ConfigLoad::folder_wrong: break;
    }
    return recover_from_wrong_folder(wrong_path, exit_requested);
}

void show_welcome() {
    const VirtualScreen& screen = virtual_screen();
    fill_bytes(screen.bits, screen.width, screen.height, CANVAS_PAPER);
    clear_text();
    set_text_pos(0, 0);
    print_text(TEXT_WELCOME);
    print_text(TEXT_WELCOME_MENU_HINT);
}

void wait_for_first_click() {
    for (;;) {
        int x = 0;
        int y = 0;
        int right = 0;
        int left = 0;
        take_pointer(&x, &y, &right, &left);
        if (right == 1 || left == 1) {
            return;
        }
        present_screen();
    }
}

StartupOutcome stop() {
    request_exit();
    return StartupOutcome::stopped;
}

}  // namespace

StartupOutcome start_editor() {
    resize_main_window(CANVAS_WIDTH, CANVAS_HEIGHT);
    prepare_palette();
    AnimationFileNames& names = animation_file_names();
    names = AnimationFileNames{};
    if (init_animation() != 0) {
        message_box(TEXT_OUT_OF_MEMORY, CAPTION_RUNTIME_ERROR, MessageButtons::ok,
                    MessageIcon::error);
        return stop();
    }

    bool exit_requested = false;
    if (!load_menu_images_configured(&exit_requested)) {
        return exit_requested ? StartupOutcome::stopped : stop();
    }

    set_file_name(names.current_name, DEFAULT_ANIMATION_NAME);
    set_file_name(names.current_path, DEFAULT_ANIMATION_NAME);
    create_screen();
    show_welcome();

    const char* file = command_line_file();
    if (file == nullptr || file[0] == '\0') {
        wait_for_first_click();
        return StartupOutcome::menu_loop;
    }
    if (!set_file_name(names.current_path, file)) {
        message_box(TEXT_READ_ERROR, CAPTION_FILE_ERROR, MessageButtons::ok, MessageIcon::error);
        return StartupOutcome::menu_loop;
    }
    load_animation_file();
    return StartupOutcome::play_command_line_file;
}

void release_animation_data() {
    release_animation();
    release_menu_images(&menu_images());
}
