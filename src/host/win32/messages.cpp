// Message boxes and the common open and save dialogs, owned by the main window.
#include <cstring>

#include "host/common/app_gate.h"
#include "host/common/pointer_state.h"
#include "host/host.h"
#include "host/win32/host_state.h"

#include <commdlg.h>

namespace {

UINT box_flags(MessageButtons buttons, MessageIcon icon) {
    UINT flags = 0;
    switch (buttons) {
        case MessageButtons::ok: flags = MB_OK; break;
        case MessageButtons::yes_no: flags = MB_YESNO; break;
        case MessageButtons::retry_cancel: flags = MB_RETRYCANCEL; break;
    }
    switch (icon) {
        case MessageIcon::none: break;
        case MessageIcon::error: flags |= MB_ICONERROR; break;
        case MessageIcon::exclamation: flags |= MB_ICONEXCLAMATION; break;
        case MessageIcon::information: flags |= MB_ICONINFORMATION; break;
    }
    return flags;
}

MessageAnswer answer_of(int id, MessageButtons buttons) {
    switch (id) {
        case IDOK: return MessageAnswer::ok;
        case IDYES: return MessageAnswer::yes;
        case IDNO: return MessageAnswer::no;
        case IDRETRY: return MessageAnswer::retry;
        case IDCANCEL: return MessageAnswer::cancel;
        default: break;
    }
    // The box could not be shown: answer as closing it would.
    switch (buttons) {
        case MessageButtons::ok: return MessageAnswer::ok;
        case MessageButtons::yes_no: return MessageAnswer::no;
        case MessageButtons::retry_cancel: return MessageAnswer::cancel;
    }
    return MessageAnswer::cancel;
}

// Filter of one entry: the description, then the pattern, double-terminated. Long texts are cut.
struct Filter {
    char text[512];
    Filter(const char* description, const char* pattern) {
        const size_t d = strnlen(description, 250);
        const size_t p = strnlen(pattern, 250);
        std::memset(text, 0, sizeof text);
        std::memcpy(text, description, d);
        std::memcpy(text + d + 1, pattern, p);
    }
};

int choose_file(bool save, char* name, char* path, const char* title, const char* pattern,
                const char* description) {
    app_gate_pass();
    const ClicksOfDialogForgotten clicks_of_dialog;
    const Filter filter(description, pattern);
    OPENFILENAMEA ofn = {};
    // The pre-Windows 2000 layout: no places bar and no extended flags.
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = host_state().main_window.load();
    ofn.lpstrFilter = filter.text;
    ofn.lpstrFile = path;
    ofn.nMaxFile = FILE_NAME_CAPACITY;
    ofn.lpstrFileTitle = name;
    ofn.nMaxFileTitle = FILE_NAME_CAPACITY;
    ofn.lpstrTitle = title;
    if (save) {
        ofn.Flags = OFN_OVERWRITEPROMPT;
        ofn.lpstrDefExt = "mpa";
        return GetSaveFileNameA(&ofn) ? 1 : 0;
    }
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    return GetOpenFileNameA(&ofn) ? 1 : 0;
}

}  // namespace

MessageAnswer message_box(const char* text, const char* title, MessageButtons buttons,
                          MessageIcon icon) {
    app_gate_pass();
    const ClicksOfDialogForgotten clicks_of_dialog;
    const int id =
        MessageBoxA(host_state().main_window.load(), text, title, box_flags(buttons, icon));
    return answer_of(id, buttons);
}

int choose_open_file(char* name, char* path, const char* title, const char* pattern,
                     const char* description) {
    return choose_file(false, name, path, title, pattern, description);
}

const char* prepare_program_file_dialog(char* /*name*/, char* /*path*/) {
    // The dialog starts without a file name.
    return "mepu.exe";
}

int choose_save_file(char* name, char* path, const char* title, const char* pattern,
                     const char* description) {
    return choose_file(true, name, path, title, pattern, description);
}
