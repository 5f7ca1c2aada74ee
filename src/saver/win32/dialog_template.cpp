#include "saver/win32/dialog_template.h"

#include "saver/core/saver_texts.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr uint16_t BUTTON_ATOM = 0x0080;
constexpr uint16_t EDIT_ATOM = 0x0081;
constexpr uint16_t STATIC_ATOM = 0x0082;
constexpr uint32_t EDIT_STYLE = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD;
constexpr int16_t FONT_POINTS = 9;

class TemplateWriter {
public:
    void word(uint16_t value) {
        bytes_.push_back(uint8_t(value)), bytes_.push_back(uint8_t(value >> 8));
    }
    void dword(uint32_t value) {
        word(uint16_t(value));
        word(uint16_t(value >> 16));
    }
    // The texts are code page 932 whatever the system's code page is.
    void text(const char* shift_jis) {
        const int length = MultiByteToWideChar(932, 0, shift_jis, -1, nullptr, 0);
        std::vector<wchar_t> wide(size_t(length > 0 ? length : 1), L'\0');
        if (length > 0) MultiByteToWideChar(932, 0, shift_jis, -1, wide.data(), length);
        for (wchar_t c : wide) word(uint16_t(c));
    }
    void align_dword() {
        while (bytes_.size() % 4 != 0) bytes_.push_back(0);
    }
    std::vector<uint32_t> words() {
        align_dword();
        std::vector<uint32_t> out(bytes_.size() / 4);
        std::memcpy(out.data(), bytes_.data(), bytes_.size());
        return out;
    }

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace

std::vector<uint32_t> build_dialog_template(const DialogLayout& layout) {
    TemplateWriter out;
    out.dword(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    out.dword(0);
    out.word(uint16_t(layout.controls.size()));
    out.word(0);
    out.word(0);
    out.word(uint16_t(layout.width));
    out.word(uint16_t(layout.height));
    out.word(0);  // no menu
    out.word(0);  // the standard dialog class
    out.text(layout.title);
    out.word(uint16_t(FONT_POINTS));
    out.text(DIALOG_FONT_NAME);
    for (const DialogControl& control : layout.controls) {
        out.align_dword();
        out.dword(WS_CHILD | WS_VISIBLE | control.style);
        out.dword(0);
        out.word(uint16_t(control.x));
        out.word(uint16_t(control.y));
        out.word(uint16_t(control.width));
        out.word(uint16_t(control.height));
        out.word(control.id);
        out.word(0xFFFF);
        out.word(control.class_atom);
        out.text(control.text);
        out.word(0);  // no creation data
    }
    return out.words();
}

DialogLayout password_prompt_layout() {
    return DialogLayout{
        TEXT_PROMPT_TITLE,
        227,
        65,
        {
            {STATIC_ATOM, SS_LEFT, TEXT_PROMPT_EXPLANATION, 7, 7, 147, 21, 0xFFFF},
            {STATIC_ATOM, SS_LEFT, TEXT_PROMPT_LABEL, 7, 44, 61, 8, 0xFFFF},
            {EDIT_ATOM, EDIT_STYLE, "", 78, 44, 76, 14, ID_PASSWORD_EDIT},
            {BUTTON_ATOM, BS_DEFPUSHBUTTON | WS_TABSTOP, TEXT_OK, 172, 7, 48, 14, IDOK},
            {BUTTON_ATOM, BS_PUSHBUTTON | WS_TABSTOP, TEXT_CANCEL, 172, 24, 48, 14, IDCANCEL},
        }};
}

DialogLayout change_password_layout() {
    return DialogLayout{
        TEXT_CHANGE_TITLE,
        247,
        75,
        {
            {STATIC_ATOM, SS_LEFT, TEXT_CHANGE_HEADING, 7, 7, 111, 8, 0xFFFF},
            {STATIC_ATOM, SS_LEFT, TEXT_CHANGE_NEW_LABEL, 7, 31, 54, 8, 0xFFFF},
            {EDIT_ATOM, EDIT_STYLE, "", 104, 31, 79, 14, ID_PASSWORD_EDIT},
            {STATIC_ATOM, SS_LEFT, TEXT_CHANGE_CONFIRM_LABEL, 7, 50, 88, 8, 0xFFFF},
            {EDIT_ATOM, EDIT_STYLE, "", 104, 50, 79, 14, ID_CONFIRMATION_EDIT},
            {BUTTON_ATOM, BS_DEFPUSHBUTTON | WS_TABSTOP, TEXT_OK, 190, 7, 50, 14, IDOK},
            {BUTTON_ATOM, BS_PUSHBUTTON | WS_TABSTOP, TEXT_CANCEL, 190, 24, 50, 14, IDCANCEL},
        }};
}
