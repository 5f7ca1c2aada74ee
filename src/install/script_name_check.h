// A script names files and folders inside places the installer chooses: the destination below the
// programs folder, the configuration file in its folder, the copies below the destination (read
// from below the kit's folder), the shortcuts in their group. A name that would climb out of its
// place, start from a root or a drive, or name a device is refused before anything is written.
#pragma once

#include <string>

#include "install/install_places.h"
#include "install/install_script.h"

// Whether a byte begins a two-byte Shift-JIS character (whose second byte may be 0x5C, the
// byte of a backslash).
bool is_shift_jis_lead_byte(unsigned char byte);

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9, in any case and with any extension: Windows opens the
// device for these names whatever folder they stand in.
bool is_windows_device_name(const std::string& name);

// Checks the script's raw names (before their paths are completed) as the platform of `places`
// reads them. Returns an empty string, or which keyword names something outside its place.
std::string check_script_names(const InstallScript& script, const InstallPlaces& places);
