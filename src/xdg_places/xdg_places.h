// The user's base folders as the XDG base directory rules name them, and the folder the Linux
// programs use in place of the Windows directory.
#pragma once

#include <string>

// `value` (a variable such as XDG_CONFIG_HOME) when it is an absolute path, as the rules accept
// no other; else `home` followed by `below_home`. Empty when there is neither.
std::string xdg_base_folder(const char* value, const char* home, const char* below_home);

// $XDG_CONFIG_HOME/mepu, by default ~/.config/mepu: where mepusys.ini, the installer's
// configuration and registry.ini live. Empty when no home folder is known.
std::string mepu_config_folder();
