// On Linux the script's file and folder names become UTF-8, the encoding of the file system and
// of desktop entries, once, right after the script is read: the folder shown, the folder made and
// the shortcuts' names are then the same. Its texts (title, messages) stay Shift-JIS, as every
// text the installer shows, and are decoded only for display.
#pragma once

#include <string>

#include "install/install_script.h"

// Shift-JIS (code page 932) bytes as UTF-8; false when text is not valid Shift-JIS.
bool shift_jis_to_utf8(const std::string& text, std::string* utf8);
// Decodes the destination, the configuration file, the files to copy, the link targets, the group
// and the app names. Returns an empty string, or which value is not Shift-JIS.
std::string decode_script_names(InstallScript* script);
