// m2bmp.exe: the dialog (with a dropped file as its input), or the command line for options or
// two file names.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <memory>

#include "convert/command_line.h"
#include "convert/converter_state.h"
#include "convert/win32/converter_dialog.h"

namespace {

// A GUI program has no console of its own; when started from one, print there.
void attach_parent_console() {
    if (GetStdHandle(STD_OUTPUT_HANDLE) != nullptr && GetStdHandle(STD_ERROR_HANDLE) != nullptr)
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (GetStdHandle(STD_OUTPUT_HANDLE) == nullptr) std::freopen("CONOUT$", "w", stdout);
    if (GetStdHandle(STD_ERROR_HANDLE) == nullptr) std::freopen("CONOUT$", "w", stderr);
}

int run_dialog(const char* input) {
    auto state = std::make_unique<ConverterState>();
    // As if chosen with the load button; a name too long for it leaves the input empty. The
    // file dialogs move the current folder, so a relative name is made full first.
    if (input != nullptr) {
        char full[CONVERTER_PATH_CAPACITY];
        const DWORD length = GetFullPathNameA(input, sizeof full, full, nullptr);
        set_converter_path(state->input_path, length == 0            ? input
                                              : length < sizeof full ? full
                                                                     : "");
    }
    HWND dialog = create_converter_dialog(GetModuleHandleA(nullptr), state.get());
    if (dialog == nullptr) return -1;
    InitCommonControls();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    release_source_frames(state.get());
    return static_cast<int>(message.wParam);
}

}  // namespace

int main(int argc, char** argv) {
    const char* dropped = dropped_file(argc, argv);
    if (argc > 1 && dropped == nullptr) {
        attach_parent_console();
        return run_command_line(argc, argv, stdout, stderr);
    }
    return run_dialog(dropped);
}
