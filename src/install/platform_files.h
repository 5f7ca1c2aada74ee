// What the installer needs of the platform's file system, per platform.
#pragma once

#include <string>

// Returns false when the folder could not be made (it may already exist).
bool make_folder(const std::string& path);
// True when c starts a two-byte character of the platform's path encoding, whose second byte
// may look like a backslash.
bool is_lead_byte(unsigned char c);
// The platform's own file copy, replacing an existing target; on POSIX the target gets the
// source's permission bits, so that a copied program stays runnable.
bool copy_file_replacing(const std::string& source, const std::string& target);
// True when both paths reach one existing file (another spelling, a link, a short name).
bool same_existing_file(const std::string& a, const std::string& b);
