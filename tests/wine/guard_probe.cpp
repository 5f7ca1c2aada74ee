// A test build of the Win32 host around a stand-in application: it records three commands and
// then breaks down in the way its command line names ("fault", "divide" or "return"), so that
// the error guard can be watched from outside.
#include <cstdio>
#include <cstring>

#include "host/common/command_log.h"
#include "host/host.h"
#include "host/win32/win32_host.h"

namespace {
volatile int* volatile nowhere = nullptr;
volatile int divisor = 0;

void app_main() {
    log_command(12);
    log_command(7);
    log_command(45);
    const char* how = command_line_file();
    if (how == nullptr) return;
    if (std::strcmp(how, "fault") == 0) *nowhere = 1;
    if (std::strcmp(how, "divide") == 0) std::printf("%d", 100 / divisor);
}

void free_app_data() { release_command_log(); }

// Writes a recognisable file where the user chose, as the editor's save would write the animation.
void save_animation() {
    char name[FILE_NAME_CAPACITY] = "";
    char path[FILE_NAME_CAPACITY] = "rescue.mpa";
    if (choose_save_file(name, path, "ファイルの保存", "*.mpa", "めぷアニメファイル") == 0) return;
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr) return;
    std::fputs("rescued", f);
    std::fclose(f);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int show) {
    return win32_host_main(instance, command_line, show, {app_main, free_app_data, save_animation});
}
