#include "host/common/error_guard.h"

#include <cstdio>

#include "host/common/app_entry.h"
#include "host/common/app_gate.h"
#include "host/common/command_log.h"
#include "host/common/crash_report.h"
#include "host/host.h"

namespace {
const char* const RUNTIME_ERROR_TITLE = "実行時のエラー";

void show_error(const char* text, const char* title)
{
    message_box(text, title, MessageButtons::ok, MessageIcon::error);
}
}  // namespace

GuardOutcome run_error_guard(GuardCause cause)
{
    // A host that is ending stops the thread here, before anything is written.
    app_gate_pass();
    std::FILE* report = std::fopen(CRASH_REPORT_FILE, "w");
    if (report == nullptr) {
        show_error("エラー処理中にエラーが発生しました。強制終了します。", "エラー処理中のエラー");
        return cause == GuardCause::fault ? GuardOutcome::program_ends : GuardOutcome::thread_ends;
    }
    show_error("めぷ実行中にエラーが発生しました。", RUNTIME_ERROR_TITLE);
    const bool written = write_crash_report(report, command_log());
    const bool closed = std::fclose(report) == 0;
    // A report that could not be written is not announced, but the save is still offered: the
    // user's animation matters more than the report.
    if (written && closed) {
        char text[512];
        std::snprintf(text, sizeof text,
                      "エラーに関する情報を%sに記録しました。もしよろしければこのファイルをtarvolo "
                      "program systemsまで送ってください。",
                      CRASH_REPORT_FILE);
        show_error(text, RUNTIME_ERROR_TITLE);
    }
    show_error("現在編集中のアニメデータを書き込みます。.ただし、データが壊れている可能性があるので別の"
               "ファイル名で保存することをお勧めします。",
               RUNTIME_ERROR_TITLE);
    app_entry_points().save_animation();
    return GuardOutcome::thread_ends;
}
