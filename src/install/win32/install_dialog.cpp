#include "install/win32/install_dialog.h"

#include <shellapi.h>

#include <string>

#include "install/install_places.h"
#include "install/installation.h"
#include "install/installer_texts.h"
#include "install/win32/install_ids.h"
#include "install/windows_file_types.h"
#include "install/windows_start_menu.h"

namespace {

// The dialog's state: one installer window per process.
struct InstallerState {
    InstallScript script;
    WindowsStartMenu start_menu;
    WindowsFileTypes file_types;
};

class DialogUi : public InstallerUi {
public:
    explicit DialogUi(HWND dialog) : dialog_(dialog) {}
    void show_progress(const std::string& text) override {
        SetDlgItemTextA(dialog_, IDC_PROGRESS, text.c_str());
    }
    bool ask_yes_no(const char* text, const char* title) override {
        return MessageBoxA(dialog_, text, title, MB_YESNO) == IDYES;
    }
    void show_message(const char* text, const char* title) override {
        MessageBoxA(dialog_, text, title, MB_OK);
    }

private:
    HWND dialog_;
};

InstallerState& state() {
    static InstallerState installer;
    return installer;
}

void fill_install_dialog(HWND dialog) {
    const InstallScript& script = state().script;
    SetWindowTextA(dialog, script.title.c_str());
    SetDlgItemTextA(dialog, IDC_DEST_HINT, script.destination_hint.c_str());
    SetDlgItemTextA(dialog, IDC_MESSAGE, script.message.c_str());
    SetDlgItemTextA(dialog, IDC_DESTINATION, script.destination.c_str());
}

void request_close(HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }

// The message the system uses to copy a drop's data between processes.
constexpr UINT WM_COPYGLOBALDATA = 0x0049;

// install.exe runs elevated, and the system then drops what Explorer, at a lower level, sends
// for a folder dropped on the dialog or on one of its controls that accept files.
void allow_drops_from_explorer(HWND dialog) {
    using MessageFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);
    // Looked up, as Windows Vista has no such call.
    const auto filter = reinterpret_cast<MessageFilter>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "ChangeWindowMessageFilterEx")));
    if (filter == nullptr) return;
    for (HWND window : {dialog, GetDlgItem(dialog, IDC_MESSAGE),
                        GetDlgItem(dialog, IDC_DESTINATION), GetDlgItem(dialog, IDC_PROGRESS)})
        for (UINT message : {UINT(WM_DROPFILES), UINT(WM_COPYDATA), WM_COPYGLOBALDATA})
            filter(window, message, MSGFLT_ALLOW, nullptr);
}

bool is_ansi_lead_byte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }

bool load_script() {
    InstallScript& script = state().script;
    char windows_dir[1024];
    const UINT length = GetWindowsDirectoryA(windows_dir, sizeof windows_dir);
    if (!read_install_script(SCRIPT_FILE_NAME, &script).empty() || length == 0 ||
        length >= sizeof windows_dir ||
        !complete_install_paths(windows_install_places(windows_dir, is_ansi_lead_byte), &script)
             .empty()) {
        script = InstallScript{};  // the dialog shows empty texts until it closes
        return false;
    }
    return true;
}

INT_PTR CALLBACK install_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            allow_drops_from_explorer(dialog);
            if (!load_script()) {
                MessageBoxA(dialog, SCRIPT_READ_FAILED_TEXT, SCRIPT_READ_FAILED_TITLE, MB_OK);
                request_close(dialog);
            }
            fill_install_dialog(dialog);
            return TRUE;
        case WM_CLOSE:
            DestroyWindow(dialog);
            PostQuitMessage(0);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) {
                DialogUi ui(dialog);
                run_installation(state().script, std::string(), ui, state().start_menu,
                                 &state().file_types);
                request_close(dialog);
            } else if (LOWORD(wparam) == IDCANCEL) {
                request_close(dialog);
            }
            return TRUE;
        case WM_DROPFILES: {
            auto drop = reinterpret_cast<HDROP>(wparam);
            char path[MAX_PATH] = {};
            if (DragQueryFileA(drop, 0, path, sizeof path) > 0)
                state().script.destination = std::string(path) + "\\";
            DragFinish(drop);
            fill_install_dialog(dialog);
            return TRUE;
        }
    }
    (void)lparam;
    return FALSE;
}

}  // namespace

HWND create_install_dialog(HINSTANCE instance) {
    return CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_INSTALL), GetDesktopWindow(),
                              install_dialog_proc, 0);
}
