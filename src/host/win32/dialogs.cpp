// The value dialog (IDD_GET_VALUE) and the string dialog (IDD_INPUTSTRING), run modally on the
// application thread and owned by the main window.
#include <cstring>
#include <vector>

#include "host/common/app_gate.h"
#include "host/common/pointer_state.h"
#include "host/common/value_dialog.h"
#include "host/host.h"
#include "host/win32/host_state.h"
#include "host/win32/resource_ids.h"

namespace {

struct StringDialogRun {
    char* buffer;
    int capacity;
};

template <typename Run>
Run* dialog_run(HWND dialog) {
    return reinterpret_cast<Run*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void show_value(HWND dialog, const ValueDialogState& state) {
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    // The page step is used for paging only; the bar is not given a page size.
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = state.minimum;
    info.nMax = state.maximum;
    info.nPage = static_cast<UINT>(state.page_step);
    info.nPos = state.value;
    SetScrollInfo(GetDlgItem(dialog, ID_VALUE_SCROLLBAR), SB_CTL, &info, TRUE);
    char digits[16];
    format_dialog_value(state, digits, sizeof digits);
    SetDlgItemTextA(dialog, ID_VALUE_DISPLAY, digits);
}

INT_PTR CALLBACK value_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lparam);
            show_value(dialog, *reinterpret_cast<ValueDialogState*>(lparam));
            return TRUE;
        case WM_HSCROLL: {
            ValueDialogState* state = dialog_run<ValueDialogState>(dialog);
            if (reinterpret_cast<HWND>(lparam) != GetDlgItem(dialog, ID_VALUE_SCROLLBAR)) break;
            scroll_value_dialog(state, LOWORD(wparam), HIWORD(wparam));
            show_value(dialog, *state);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) EndDialog(dialog, 0);
            if (LOWORD(wparam) == IDCANCEL) EndDialog(dialog, -1);
            return TRUE;
        default: break;
    }
    return FALSE;
}

// Copies the edit field into the caller's buffer, cut so that no double-byte character is split.
void copy_edit_text(HWND dialog, const StringDialogRun& run) {
    const HWND edit = GetDlgItem(dialog, ID_STRING_EDIT);
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
    const int limit = run.capacity - 1;
    int length = 0;
    for (int i = 0; text[i] != '\0';) {
        const int width =
            IsDBCSLeadByteEx(932, static_cast<BYTE>(text[i])) && text[i + 1] != '\0' ? 2 : 1;
        if (i + width > limit) break;
        i += width;
        length = i;
    }
    std::memcpy(run.buffer, text.data(), static_cast<size_t>(length));
    run.buffer[length] = '\0';
}

INT_PTR CALLBACK string_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dialog, DWLP_USER, lparam);
            SetDlgItemTextA(dialog, ID_STRING_EDIT,
                            reinterpret_cast<StringDialogRun*>(lparam)->buffer);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) {
                const StringDialogRun* run = dialog_run<StringDialogRun>(dialog);
                if (run->capacity > 0) copy_edit_text(dialog, *run);
                EndDialog(dialog, 0);
            }
            if (LOWORD(wparam) == IDCANCEL) EndDialog(dialog, -1);
            return TRUE;
        default: break;
    }
    return FALSE;
}

}  // namespace

int input_value(int maximum, int minimum, int* value) {
    app_gate_pass();
    const ClicksOfDialogForgotten clicks_of_dialog;
    HostState& h = host_state();
    ValueDialogState state = open_value_dialog(maximum, minimum, *value);
    const INT_PTR result = DialogBoxParamA(h.instance, "IDD_GET_VALUE", h.main_window.load(),
                                           value_dialog_proc, reinterpret_cast<LPARAM>(&state));
    *value = state.value;
    return result == 0 ? 0 : -1;
}

int input_string(char* buffer, int capacity) {
    app_gate_pass();
    const ClicksOfDialogForgotten clicks_of_dialog;
    if (buffer == nullptr) return -1;
    HostState& h = host_state();
    StringDialogRun run = {buffer, capacity};
    const INT_PTR result = DialogBoxParamA(h.instance, "IDD_INPUTSTRING", h.main_window.load(),
                                           string_dialog_proc, reinterpret_cast<LPARAM>(&run));
    return result == 0 ? 0 : -1;
}
