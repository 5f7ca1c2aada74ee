#include <cstdio>
#include <cstring>
#include <string>

#include "editor/session/config_file.h"
#include "editor/session/load_save.h"
#include "editor/session/menu_images.h"
#include "editor/session/startup.h"
#include "file_replace/replace_file.h"
#include "host/host.h"

namespace {

constexpr const char* WELCOME_TITLE = "めぷへようこそ！";

// The folder of the chosen program file: the path without its file name part. Cutting by the
// name's length rather than searching for a separator keeps Shift-JIS trail bytes (0x5C) safe.
std::string chosen_folder(const AnimationFileNames& names)
{
    const std::size_t path_length = std::strlen(names.current_path);
    const std::size_t name_length = std::strlen(names.current_name);
    if (name_length > path_length) {
        return std::string();
    }
    return std::string(names.current_path, path_length - name_length);
}

// Only a check: the start-up loads the images it keeps from the written folder afterwards.
int count_missing_images(const std::string& folder)
{
    MenuImages images;
    const int sum = load_menu_images(folder.c_str(), &images);
    release_menu_images(&images);
    return sum;
}

bool write_folder_to(const char* path, const std::string& folder)
{
    const ReplaceResult result =
        replace_file(path, [&](FileOutput& out) { out.write(folder); });
    if (result.status != ReplaceStatus::ok && result.written_in_place) {
        // Half a file would be read as a wrong folder next time, and would hide the user's own.
        std::remove(path);
    }
    return result.status == ReplaceStatus::ok;
}

SetupResult write_config_file(const char* config_path, const std::string& folder)
{
    message_box("システムフォルダに設定ファイル\"mepusys.ini\"を作成します。", "ようこそ「めぷ」へ",
                MessageButtons::ok, MessageIcon::error);
    // An ordinary user may not write the Windows directory; the user's own folder then holds
    // the same file.
    bool written = write_folder_to(config_path, folder);
    if (!written) {
        const std::string user_path = user_config_file_path(true);
        written = !user_path.empty() && write_folder_to(user_path.c_str(), folder);
    }
    if (!written) {
        message_box("作成に失敗しました。", "どうなってんだ", MessageButtons::ok, MessageIcon::error);
        return SetupResult::not_written;
    }
    return SetupResult::written;
}

}  // namespace

SetupResult first_run_setup(const char* config_path)
{
    AnimationFileNames& names = animation_file_names();
    for (;;) {
        message_box("これから「めぷ」の設定を行います。ＯＫボタンを押して、次の画面でMEPU.EXEを選んでください。",
                    WELCOME_TITLE, MessageButtons::ok, MessageIcon::none);
        const char* pattern =
            prepare_program_file_dialog(names.current_name, names.current_path);
        if (choose_open_file(names.current_name, names.current_path,
                             "mepu.exeがインストールされた場所を指定してください", pattern,
                             "mepu.exeの指定") == 0) {
            request_exit();
            return SetupResult::exit_requested;
        }
        const std::string folder = chosen_folder(names);
        if (!program_folder_fits(folder)) {
            message_box("フォルダの名前が長すぎます。もっと短い名前のフォルダに置いてください。",
                        WELCOME_TITLE, MessageButtons::ok, MessageIcon::error);
            continue;
        }
        const int missing = count_missing_images(folder);
        if (missing == 0) {
            return write_config_file(config_path, folder);
        }
        if (missing != -1) {
            continue;
        }
        if (message_box("前の画面での設定がよくなかったようです。ＯＫボタンを押すともう一度設定をします。キャンセルでめぷを終了します。",
                        WELCOME_TITLE, MessageButtons::retry_cancel,
                        MessageIcon::none) != MessageAnswer::retry) {
            message_box("めぷの起動に必要なファイルが足りないようです。もう一度インストールしてみてください。",
                        "今後の対策", MessageButtons::ok, MessageIcon::error);
            request_exit();
            return SetupResult::exit_requested;
        }
    }
}
