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

void prepare_palette()
{
    palette_open();
    palette_init_gray(GRAY_RAMP_KEY);
    load_system_colors();
    palette_set(CANVAS_INK, 0x000000);
    build_palette();
}

// The configuration file from the Windows directory, else from the user's own folder; `read_path`
// tells which one was opened.
std::FILE* open_config(std::string* read_path)
{
    for (const std::string& path : {config_file_path(), user_config_file_path(false)}) {
        if (path.empty()) {
            continue;
        }
        if (std::FILE* file = std::fopen(path.c_str(), "r")) {
            *read_path = path;
            return file;
        }
    }
    return nullptr;
}

std::FILE* open_or_set_up_config(std::string* read_path, bool* exit_requested)
{
    std::FILE* file = open_config(read_path);
    if (file != nullptr) {
        return file;
    }
    if (first_run_setup(config_file_path().c_str()) == SetupResult::exit_requested) {
        *exit_requested = true;
        return nullptr;
    }
    return open_config(read_path);
}

// The next start must run the setup again, so the configuration file that was read goes.
void give_up_on_menu_images(const std::string& config_path)
{
    message_box(TEXT_PROGRAM_FOLDER_NOT_FOUND,
                CAPTION_RUNTIME_ERROR, MessageButtons::ok, MessageIcon::error);
    message_box(TEXT_RESTART_FOR_SETUP,
                CAPTION_RUNTIME_ERROR, MessageButtons::ok, MessageIcon::error);
    if (std::remove(config_path.c_str()) != 0) {
        char text[4096];
        std::snprintf(text, sizeof text,
                      FORMAT_CONFIG_NOT_DELETED,
                      config_path.c_str());
        message_box(text, CAPTION_RUNTIME_ERROR, MessageButtons::ok, MessageIcon::error);
    }
}

int load_images_from_config(std::FILE* file)
{
    const std::string folder = read_first_word(file);
    std::fclose(file);
    if (!program_folder_fits(folder)) {
        message_box(TEXT_CONFIG_FOLDER_TOO_LONG, CAPTION_RUNTIME_ERROR,
                    MessageButtons::ok, MessageIcon::error);
        return -1;
    }
    return load_menu_images(folder.c_str(), &menu_images());
}

void show_welcome()
{
    const VirtualScreen& screen = virtual_screen();
    fill_bytes(screen.bits, screen.width, screen.height, CANVAS_PAPER);
    clear_text();
    set_text_pos(0, 0);
    print_text(TEXT_WELCOME);
    print_text(TEXT_WELCOME_MENU_HINT);
}

void wait_for_first_click()
{
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

StartupOutcome stop()
{
    request_exit();
    return StartupOutcome::stopped;
}

}  // namespace

StartupOutcome start_editor()
{
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
    std::string config_path;
    std::FILE* config = open_or_set_up_config(&config_path, &exit_requested);
    if (exit_requested) {
        return StartupOutcome::stopped;
    }
    if (config == nullptr) {
        return stop();
    }
    if (load_images_from_config(config) != 0) {
        give_up_on_menu_images(config_path);
        return stop();
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
        message_box(TEXT_READ_ERROR, CAPTION_FILE_ERROR, MessageButtons::ok,
                    MessageIcon::error);
        return StartupOutcome::menu_loop;
    }
    load_animation_file();
    return StartupOutcome::play_command_line_file;
}

void release_animation_data()
{
    release_animation();
    release_menu_images(&menu_images());
}
