#include "convert/win32/converter_dialog.h"

#include <commdlg.h>

#include <cstdio>
#include <string>

#include "convert/convert_animation.h"
#include "convert/converter_front.h"
#include "convert/converter_texts.h"
#include "convert/dialog_ids.h"
#include "convert/output_size.h"

namespace {

// The dialog's state travels in its user data, so the procedure holds no state of its own.
struct DialogContext {
    HWND dialog;
    ConverterState* state;
    ConverterFront front;
};

DialogContext* context_of(HWND dialog) {
    return reinterpret_cast<DialogContext*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void show_error(void* context, const char* text, const char* caption) {
    MessageBoxA(static_cast<DialogContext*>(context)->dialog, text, caption, MB_OK | MB_ICONERROR);
}

void show_status(void* context, const StatusLine& line) {
    std::string text = line.path != nullptr ? line.path : "";
    text += line.text;
    SetDlgItemTextA(static_cast<DialogContext*>(context)->dialog, IDC_STATUS, text.c_str());
}

void set_bar(HWND dialog, int id, int maximum, int value) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 1;
    info.nMax = maximum;
    info.nPage = SCROLL_PAGE_SIZE;
    info.nPos = value;
    SetScrollInfo(GetDlgItem(dialog, id), SB_CTL, &info, TRUE);
}

void clamp_and_show_size(HWND dialog, ConverterState* state) {
    clamp_output_size(&state->output_width, &state->output_height);
    set_bar(dialog, IDC_WIDTH_BAR, MAX_OUTPUT_WIDTH, state->output_width);
    set_bar(dialog, IDC_HEIGHT_BAR, MAX_OUTPUT_HEIGHT, state->output_height);
    SetDlgItemInt(dialog, IDC_WIDTH_VALUE, static_cast<UINT>(state->output_width), FALSE);
    SetDlgItemInt(dialog, IDC_HEIGHT_VALUE, static_cast<UINT>(state->output_height), FALSE);
}

ScrollAction scroll_action_of(WORD code) {
    switch (code) {
        case SB_LINELEFT: return ScrollAction::line_back;
        case SB_LINERIGHT: return ScrollAction::line_forward;
        case SB_PAGELEFT: return ScrollAction::page_back;
        case SB_PAGERIGHT: return ScrollAction::page_forward;
        case SB_THUMBPOSITION: return ScrollAction::thumb_position;
        case SB_THUMBTRACK: return ScrollAction::thumb_track;
        default: return ScrollAction::other;
    }
}

void on_scroll(HWND dialog, ConverterState* state, HWND bar, WPARAM wparam) {
    const int id = GetDlgCtrlID(bar);
    const ScrollAction action = scroll_action_of(LOWORD(wparam));
    const int32_t thumb = HIWORD(wparam);
    ScrollResult result{0, true};
    if (id == IDC_WIDTH_BAR) {
        result = scroll_output_width(state->output_width, action, thumb);
        state->output_width = result.value;
    } else if (id == IDC_HEIGHT_BAR) {
        result = scroll_output_height(state->output_height, action, thumb);
        state->output_height = result.value;
    }
    if (!result.clamp) {
        SetDlgItemInt(dialog, id == IDC_WIDTH_BAR ? IDC_WIDTH_VALUE : IDC_HEIGHT_VALUE,
                      static_cast<UINT>(result.value), FALSE);
        return;
    }
    clamp_and_show_size(dialog, state);
}

// A file dialog's filter of one kind: its name and pattern, each ending in a NUL, then a NUL (the
// string's own).
std::string file_filter(const char* name, const char* pattern) {
    std::string filter = name;
    filter += '\0';
    filter += pattern;
    filter += '\0';
    return filter;
}

void choose_input(HWND dialog, ConverterState* state) {
    const std::string filter = file_filter(FILTER_NAME_ANIMATION, FILTER_PATTERN_ANIMATION);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dialog;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = state->input_path;
    ofn.nMaxFile = CONVERTER_PATH_CAPACITY;
    ofn.lpstrTitle = TITLE_OPEN_DIALOG;
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    GetOpenFileNameA(&ofn);
}

// A GIF is proposed with its extension; BMP files keep the bare prefix the user types.
void choose_output(HWND dialog, ConverterState* state) {
    const std::string gif_filter = file_filter(FILTER_NAME_GIF, FILTER_PATTERN_GIF);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dialog;
    if (state->output_kind == OutputKind::gif_animation) {
        ofn.lpstrFilter = gif_filter.c_str();
        ofn.lpstrDefExt = DEFAULT_EXTENSION_GIF;
    }
    ofn.lpstrFile = state->output_path;
    ofn.nMaxFile = CONVERTER_PATH_CAPACITY;
    ofn.lpstrFileTitle = state->output_title;
    ofn.nMaxFileTitle = CONVERTER_PATH_CAPACITY;
    ofn.lpstrTitle = TITLE_SAVE_DIALOG;
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    GetSaveFileNameA(&ofn);
}

void take_output_choices(HWND dialog, ConverterState* state) {
    const bool gif = IsDlgButtonChecked(dialog, IDC_OUTPUT_GIF) == BST_CHECKED;
    state->output_kind = gif ? OutputKind::gif_animation : OutputKind::bmp_files;
    const LRESULT chosen = SendDlgItemMessageA(dialog, IDC_GIF_SCALE, CB_GETCURSEL, 0, 0);
    state->gif.scale = MIN_GIF_SCALE + (chosen == CB_ERR ? 0 : static_cast<int32_t>(chosen));
    state->gif.loop_forever = IsDlgButtonChecked(dialog, IDC_GIF_LOOP) == BST_CHECKED;
    for (int id : {IDC_GIF_SCALE_LABEL, IDC_GIF_SCALE, IDC_GIF_LOOP})
        EnableWindow(GetDlgItem(dialog, id), gif);
}

void init_output_choices(HWND dialog, ConverterState* state) {
    CheckRadioButton(dialog, IDC_OUTPUT_BMP, IDC_OUTPUT_GIF, IDC_OUTPUT_BMP);
    for (int scale = MIN_GIF_SCALE; scale <= MAX_GIF_SCALE; ++scale) {
        char text[16];
        std::snprintf(text, sizeof text, LABEL_GIF_SCALE_CHOICE, scale);
        SendDlgItemMessageA(dialog, IDC_GIF_SCALE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendDlgItemMessageA(dialog, IDC_GIF_SCALE, CB_SETCURSEL, 0, 0);
    CheckDlgButton(dialog, IDC_GIF_LOOP, BST_CHECKED);
    take_output_choices(dialog, state);
}

INT_PTR CALLBACK dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    DialogContext* context = context_of(dialog);
    switch (message) {
        case WM_INITDIALOG: {
            context = reinterpret_cast<DialogContext*>(lparam);
            context->dialog = dialog;
            SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(context));
            clamp_and_show_size(dialog, context->state);
            init_output_choices(dialog, context->state);
            return TRUE;
        }
        case WM_CLOSE:
            DestroyWindow(dialog);
            PostQuitMessage(0);
            return TRUE;
        case WM_NCDESTROY: delete context; return FALSE;
        case WM_COMMAND:
            if (context == nullptr) return FALSE;
            switch (LOWORD(wparam)) {
                case IDC_CHOOSE_INPUT: choose_input(dialog, context->state); return TRUE;
                case IDC_CHOOSE_OUTPUT: choose_output(dialog, context->state); return TRUE;
                case IDC_OUTPUT_BMP:
                case IDC_OUTPUT_GIF:
                case IDC_GIF_SCALE:
                case IDC_GIF_LOOP: take_output_choices(dialog, context->state); return TRUE;
                case IDC_RUN:
                    convert_animation(context->state, context->front);
                    clamp_and_show_size(dialog, context->state);
                    return TRUE;
                default: return FALSE;
            }
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (context == nullptr) return FALSE;
            on_scroll(dialog, context->state, reinterpret_cast<HWND>(lparam), wparam);
            return TRUE;
        default: return FALSE;
    }
}

}  // namespace

HWND create_converter_dialog(HINSTANCE instance, ConverterState* state) {
    auto* context = new DialogContext{nullptr, state, {}};
    context->front.context = context;
    context->front.show_error = show_error;
    context->front.show_status = show_status;
    HWND dialog = CreateDialogParamA(instance, "DLG_MAIN", GetDesktopWindow(), dialog_procedure,
                                     reinterpret_cast<LPARAM>(context));
    if (dialog == nullptr) delete context;
    return dialog;
}
