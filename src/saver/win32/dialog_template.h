// Dialog templates built in memory: the saver carries no resources.
#pragma once

#include <cstdint>
#include <vector>

struct DialogControl {
    uint16_t class_atom;  // 0x0080 button, 0x0081 edit, 0x0082 static
    uint32_t style;       // WS_CHILD and WS_VISIBLE are added
    const char* text;     // Shift-JIS
    int16_t x, y, width, height;
    uint16_t id;
};

struct DialogLayout {
    const char* title;  // Shift-JIS
    int16_t width, height;
    std::vector<DialogControl> controls;
};

// A DLGTEMPLATE with DS_SETFONT, centred, modal frame, caption and system menu, its texts in
// UTF-16, ready for DialogBoxIndirectParam. Kept in 32-bit words for the alignment it needs.
std::vector<uint32_t> build_dialog_template(const DialogLayout& layout);

DialogLayout password_prompt_layout();
DialogLayout change_password_layout();

inline constexpr uint16_t ID_PASSWORD_EDIT = 1000;
inline constexpr uint16_t ID_CONFIRMATION_EDIT = 1001;
