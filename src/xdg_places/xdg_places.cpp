#include "xdg_places/xdg_places.h"

#include <cstdlib>

namespace {
std::string xdg_base_folder(const char* value, const char* home, const char* below_home) {
    if (value != nullptr && value[0] == '/') return value;
    if (home == nullptr || home[0] == '\0') return {};
    return std::string(home) + below_home;
}
}  // namespace

std::string xdg_config_home(const char* value, const char* home) {
    return xdg_base_folder(value, home, "/.config");
}

std::string xdg_data_home(const char* value, const char* home) {
    return xdg_base_folder(value, home, "/.local/share");
}

std::string mepu_folder_in(const std::string& config_home) { return config_home + "/mepu"; }

std::string mepu_config_folder() {
    const std::string config = xdg_config_home(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    return config.empty() ? config : mepu_folder_in(config);
}
