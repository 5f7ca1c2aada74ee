#include "host/common/error_guard.h"

#include <cstdio>

#include "host/common/app_entry.h"
#include "host/common/app_gate.h"
#include "host/common/command_log.h"
#include "host/common/crash_report.h"
#include "host/host.h"

namespace {
const char* const RUNTIME_ERROR_TITLE = "実行時のエラー";
constexpr int FOLDER_CAPACITY = 2000;

void show_error(const char* text, const char* title) {
    message_box(text, title, MessageButtons::ok, MessageIcon::error);
}

// The current folder is often read-only (a shortcut without a working folder, a program folder
// under Program Files); the user's configuration folder takes the report then. `where` receives
// the name the boxes give it.
std::FILE* open_report(char (&where)[FOLDER_CAPACITY + 16]) {
    std::snprintf(where, sizeof where, "%s", CRASH_REPORT_FILE);
    if (std::FILE* report = std::fopen(CRASH_REPORT_FILE, "w")) {
        return report;
    }
    char folder[FOLDER_CAPACITY];
    if (user_config_directory(folder, sizeof folder, true) < 0 &&
        windows_directory(folder, sizeof folder) < 0) {
        return nullptr;
    }
    std::snprintf(where, sizeof where, "%s%c%s", folder, path_separator(), CRASH_REPORT_FILE);
    return std::fopen(where, "w");
}
}  // namespace

void run_error_guard() {
    // A host that is ending stops the thread here, before anything is written.
    app_gate_pass();
    char where[FOLDER_CAPACITY + 16];
    std::FILE* report = open_report(where);
    show_error("めぷ実行中にエラーが発生しました。", RUNTIME_ERROR_TITLE);
    bool written = false;
    if (report != nullptr) {
        written = write_crash_report(report, command_log());
        written = std::fclose(report) == 0 && written;
    }
    // A report that could not be written is not announced, but the save is still offered.
    if (written) {
        char text[FOLDER_CAPACITY + 512];
        std::snprintf(text, sizeof text,
                      "エラーに関する情報を%sに記録しました。もしよろしければこのファイルをtarvolo "
                      "program systemsまで送ってください。",
                      where);
        show_error(text, RUNTIME_ERROR_TITLE);
    }
    show_error(
        "現在編集中のアニメデータを書き込みます。.ただし、データが壊れている可能性があるので別の"
        "ファイル名で保存することをお勧めします。",
        RUNTIME_ERROR_TITLE);
    app_entry_points().save_animation();
}
