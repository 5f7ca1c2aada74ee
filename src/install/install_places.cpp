#include "install/install_places.h"

#include "install/install_script.h"
#include "xdg_places/xdg_places.h"

InstallPlaces windows_install_places(const std::string& windows_dir) {
    return {windows_dir, windows_dir.substr(0, 3) + "Progra~1\\", '\\'};
}

InstallPlaces xdg_install_places(const char* config_home, const char* data_home,
                                 const char* home) {
    return {mepu_folder_in(xdg_config_home(config_home, home)), xdg_data_home(data_home, home) + "/",
            '/'};
}

void complete_install_paths(const InstallPlaces& places, InstallScript* script) {
    script->ini_file = places.windows_dir + places.separator + script->ini_file;
    script->destination = places.programs_prefix + script->destination + places.separator;
}
