// Where an installation goes: the folder standing for the Windows directory (which receives the
// editor's configuration file) and the folder under which programs are installed.
#pragma once

#include <string>

struct InstallPlaces {
    std::string windows_dir;      // no trailing separator
    std::string programs_prefix;  // the destination name is appended to it
    char separator = '\\';
    // On Windows, whether a byte begins a two-byte character of the code page the file names are
    // read in: its second byte may be the byte of a backslash without being one.
    bool (*is_lead_byte)(unsigned char) = nullptr;
};

// On Windows: the configuration file beside the system's files, programs under the drive root's
// short "Progra~1" folder.
InstallPlaces windows_install_places(const std::string& windows_dir,
                                     bool (*is_lead_byte)(unsigned char));
// On Linux: $XDG_CONFIG_HOME/mepu and $XDG_DATA_HOME/ (with their usual defaults under home);
// both empty when there is no home folder to put them in.
InstallPlaces xdg_install_places(const char* config_home, const char* data_home, const char* home);

struct InstallScript;
// Turns the script's #IniFile and #InstallDest values into full paths, once every name of the
// script is known to stay in its place. Returns an empty string, or why the script is refused
// (and then leaves it alone).
[[nodiscard]] std::string complete_install_paths(const InstallPlaces& places,
                                                 InstallScript* script);
