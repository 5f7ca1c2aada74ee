#include "install/install_places.h"

#include "install/install_script.h"

InstallPlaces windows_install_places(const std::string& windows_dir) {
    return {windows_dir, windows_dir.substr(0, 3) + "Progra~1\\", '\\'};
}

InstallPlaces xdg_install_places(const char* config_home, const char* data_home,
                                 const char* home) {
    const std::string home_dir = home ? home : "";
    const std::string config = (config_home && *config_home) ? config_home : home_dir + "/.config";
    const std::string data = (data_home && *data_home) ? data_home : home_dir + "/.local/share";
    return {config + "/mepu", data + "/", '/'};
}

void complete_install_paths(const InstallPlaces& places, InstallScript* script) {
    script->ini_file = places.windows_dir + places.separator + script->ini_file;
    script->destination = places.programs_prefix + script->destination + places.separator;
}
