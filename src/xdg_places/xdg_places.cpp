#include "xdg_places/xdg_places.h"

#include <cstdlib>

std::string xdg_base_folder(const char* value, const char* home, const char* below_home)
{
    if (value != nullptr && value[0] == '/') return value;
    if (home == nullptr || home[0] == '\0') return {};
    return std::string(home) + below_home;
}

std::string mepu_config_folder()
{
    const std::string config =
        xdg_base_folder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), "/.config");
    return config.empty() ? config : config + "/mepu";
}
