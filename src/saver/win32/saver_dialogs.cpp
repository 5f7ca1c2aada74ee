#include "saver/win32/saver_dialogs.h"

#include "saver/core/saver_settings.h"
#include "saver/core/saver_texts.h"
#include "saver/win32/dialog_template.h"

#include <commdlg.h>

#include <cwchar>
#include <iterator>
#include <optional>
#include <vector>

namespace {

constexpr UINT SHIFT_JIS = 932;

// The entry in Shift-JIS, read as the user typed it; nothing when it holds a character Shift-JIS
// cannot keep (the ANSI calls would have made it '?') or more bytes than the store reads back.
std::optional<std::string> item_text(HWND dialog, int id) {
    wchar_t typed[PASSWORD_BUFFER] = {};
    const int length = GetDlgItemTextW(dialog, id, typed, int(std::size(typed)));
    if (length <= 0) return std::string();
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(SHIFT_JIS, WC_NO_BEST_FIT_CHARS, typed, length, nullptr, 0,
                                         nullptr, &lost);
    if (size <= 0 || lost || size > PASSWORD_EDIT_LIMIT) return std::nullopt;
    std::string text(size_t(size), '\0');
    WideCharToMultiByte(SHIFT_JIS, WC_NO_BEST_FIT_CHARS, typed, length, text.data(), size, nullptr,
                        &lost);
    wchar_t back[PASSWORD_BUFFER] = {};
    const int back_length = MultiByteToWideChar(SHIFT_JIS, 0, text.data(), size, back, length);
    if (lost || back_length != length || std::wmemcmp(back, typed, size_t(length)) != 0) {
        return std::nullopt;
    }
    return text;
}

SettingsStore* settings_of(HWND dialog) {
    return reinterpret_cast<SettingsStore*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void limit_edits(HWND dialog) {
    for (int id : {ID_PASSWORD_EDIT, ID_CONFIRMATION_EDIT}) {
        if (HWND edit = GetDlgItem(dialog, id))
            SendMessageW(edit, EM_LIMITTEXT, PASSWORD_EDIT_LIMIT, 0);
    }
}

// The saver covers every monitor; its prompt belongs on the primary one (at the screen's origin),
// where the animation plays.
void center_on_primary_monitor(HWND dialog) {
    RECT rect{};
    GetWindowRect(dialog, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK prompt_procedure(HWND dialog, UINT message, WPARAM first, LPARAM second) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, second);
        limit_edits(dialog);
        center_on_primary_monitor(dialog);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(first)) {
        case IDOK:
            if (const std::optional<std::string> typed = item_text(dialog, ID_PASSWORD_EDIT);
                typed && check_password(*settings_of(dialog), *typed) == PasswordCheck::ACCEPTED) {
                EndDialog(dialog, 1);
            } else {
                MessageBoxA(dialog, TEXT_PASSWORD_WRONG, CAPTION_ERROR, MB_ICONEXCLAMATION | MB_OK);
            }
            return TRUE;
        case IDCANCEL: EndDialog(dialog, 2); return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK change_procedure(HWND dialog, UINT message, WPARAM first, LPARAM second) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, second);
        limit_edits(dialog);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(first)) {
        case IDOK: {
            const std::optional<std::string> entry = item_text(dialog, ID_PASSWORD_EDIT);
            const std::optional<std::string> confirmation = item_text(dialog, ID_CONFIRMATION_EDIT);
            const char* refusal =
                !entry || !confirmation
                    ? TEXT_PASSWORD_UNSTORABLE
                    : change_refusal(change_password(*settings_of(dialog), *entry, *confirmation));
            if (refusal != nullptr) {
                MessageBoxA(dialog, refusal, CAPTION_ERROR, MB_ICONEXCLAMATION | MB_OK);
            } else {
                EndDialog(dialog, 0);
            }
            return TRUE;
        }
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    }
    return FALSE;
}

INT_PTR run_dialog(const DialogLayout& layout, HWND owner, DLGPROC procedure,
                   SettingsStore& settings) {
    const std::vector<uint32_t> dialog_template = build_dialog_template(layout);
    // Unicode edit boxes keep every character typed, so that one Shift-JIS lacks can be refused.
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                   reinterpret_cast<LPCDLGTEMPLATEW>(dialog_template.data()), owner,
                                   procedure, reinterpret_cast<LPARAM>(&settings));
}

}  // namespace

int run_password_prompt(HWND owner, SettingsStore& settings) {
    // A prompt that cannot open must not end the saver.
    return run_dialog(password_prompt_layout(), owner, prompt_procedure, settings) == 1 ? 1 : 2;
}

void run_change_password(HWND parent, SettingsStore& settings) {
    run_dialog(change_password_layout(), parent, change_procedure, settings);
}

void run_choose_animation_file(HWND owner, std::string* path) {
    char buffer[LOAD_FILE_BUFFER] = {};
    path->copy(buffer, sizeof buffer - 1);
    // Name and pattern, each ended by a zero, and a final zero from c_str.
    const std::string filter = std::string(TEXT_FILTER_NAME) + '\0' + TEXT_FILTER_PATTERN + '\0';
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = buffer;
    dialog.nMaxFile = sizeof buffer;
    dialog.lpstrTitle = TEXT_SETTINGS_TITLE;
    dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (GetOpenFileNameA(&dialog)) {
        *path = buffer;
    } else {
        // Cancelled or failed: the previous path is written back.
        CommDlgExtendedError();
    }
}
