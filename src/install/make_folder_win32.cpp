#include "install/make_folder.h"

#include <windows.h>

bool make_folder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

bool is_lead_byte(unsigned char c) { return IsDBCSLeadByte(c) != 0; }
