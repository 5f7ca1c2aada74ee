#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "editor/session/config_file.h"
#include "editor/session/editor_texts.h"
#include "editor/session/load_save.h"
#include "editor/session/menu_images.h"
#include "editor/session/startup.h"
#include "file_replace/replace_file.h"
#include "host/host.h"

namespace {

// The folder of the chosen program file: the path without its file name part. Cutting by the
// name's length rather than searching for a separator keeps Shift-JIS trail bytes (0x5C) safe.
std::string chosen_folder(const AnimationFileNames& names) {
    const std::size_t path_length = std::strlen(names.current_path);
    const std::size_t name_length = std::strlen(names.current_name);
    if (name_length > path_length) {
        return std::string();
    }
    return std::string(names.current_path, path_length - name_length);
}

// Only a check: the start-up loads the images it keeps from the written folder afterwards.
int count_missing_images(const std::string& folder) {
    MenuImages images;
    const int sum = load_menu_images(folder.c_str(), &images);
    release_menu_images(&images);
    return sum;
}

bool write_folder_to(const char* path, const std::string& folder) {
    const ReplaceResult result = replace_file(path, [&](FileOutput& out) { out.write(folder); });
    if (result.left_damaged) {
        // Half a file would be read as a wrong folder next time, and would hide the user's own.
        std::remove(path);
    }
    return result.status == ReplaceStatus::ok;
}

SetupResult write_config_file(const char* config_path, const std::string& folder) {
    message_box(TEXT_CREATING_CONFIG, CAPTION_CREATING_CONFIG, MessageButtons::ok,
                MessageIcon::error);
    // An ordinary user may not write the Windows directory; the user's own folder then holds
    // the same file.
    bool written = write_folder_to(config_path, folder);
    if (!written) {
        const std::string user_path = user_config_file_path(true);
        written = !user_path.empty() && write_folder_to(user_path.c_str(), folder);
    }
    if (!written) {
        message_box(TEXT_CONFIG_NOT_WRITTEN, CAPTION_CONFIG_NOT_WRITTEN, MessageButtons::ok,
                    MessageIcon::error);
        return SetupResult::not_written;
    }
    return SetupResult::written;
}

}  // namespace

SetupResult first_run_setup(const char* config_path) {
    AnimationFileNames& names = animation_file_names();
    for (;;) {
        message_box(TEXT_SETUP_INTRODUCTION, CAPTION_WELCOME, MessageButtons::ok,
                    MessageIcon::none);
        const char* pattern = prepare_program_file_dialog(names.current_name, names.current_path);
        // A dialog may leave the current folder in the program folder it browsed to, often one
        // the user may not write; the error guard's report goes to the current folder.
        std::error_code ignored;
        const std::filesystem::path current_folder = std::filesystem::current_path(ignored);
        const int chosen = choose_open_file(names.current_name, names.current_path,
                                            CAPTION_PROGRAM_DIALOG, pattern, TEXT_PROGRAM_FILES);
        if (!current_folder.empty()) std::filesystem::current_path(current_folder, ignored);
        if (chosen == 0) {
            request_exit();
            return SetupResult::exit_requested;
        }
        const std::string folder = chosen_folder(names);
        if (!program_folder_fits(folder)) {
            message_box(TEXT_FOLDER_NAME_TOO_LONG, CAPTION_WELCOME, MessageButtons::ok,
                        MessageIcon::error);
            continue;
        }
        const int missing = count_missing_images(folder);
        if (missing == 0) {
            return write_config_file(config_path, folder);
        }
        if (missing != -1) {
            continue;
        }
        if (message_box(TEXT_SETUP_RETRY, CAPTION_WELCOME, MessageButtons::retry_cancel,
                        MessageIcon::none) != MessageAnswer::retry) {
            message_box(TEXT_REINSTALL, CAPTION_WHAT_NEXT, MessageButtons::ok, MessageIcon::error);
            request_exit();
            return SetupResult::exit_requested;
        }
    }
}
