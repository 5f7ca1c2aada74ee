// The user's base folders as the XDG base directory rules name them, and the folder the Linux
// programs use in place of the Windows directory.
#pragma once

#include <string>

// The configuration and data base folders from their variable's value (XDG_CONFIG_HOME,
// XDG_DATA_HOME) when it is an absolute path, as the rules accept no other; else ~/.config and
// ~/.local/share under `home`. Empty when there is neither.
std::string xdg_config_home(const char* value, const char* home);
std::string xdg_data_home(const char* value, const char* home);
// Our own folder inside a configuration folder.
std::string mepu_folder_in(const std::string& config_home);

// $XDG_CONFIG_HOME/mepu, by default ~/.config/mepu: where mepusys.ini, the installer's
// configuration and registry.ini live. Empty when no home folder is known.
std::string mepu_config_folder();
