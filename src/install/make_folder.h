// What the installer needs of the platform's file system, per platform.
#pragma once

#include <string>

// Returns false when the folder could not be made (it may already exist).
bool make_folder(const std::string& path);
// True when c starts a two-byte character of the platform's path encoding, whose second byte
// may look like a backslash.
bool is_lead_byte(unsigned char c);
