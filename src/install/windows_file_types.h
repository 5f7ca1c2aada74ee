// The file type on Windows: "Open with" offers the installed editor for .mpa files, while the
// program that owns the extension (an MPEG audio player) keeps it.
#pragma once

#include "install/installation.h"

// Our ProgID, under which the open command and the icon stand.
inline constexpr const char* ANIMATION_PROG_ID = "mepu.Animation.1";

class WindowsFileTypes : public FileTypes {
public:
    // Registers for every user (the installer runs elevated and installs under Program Files),
    // then tells the shell that associations changed.
    void register_editor(const std::string& destination) override;
};
