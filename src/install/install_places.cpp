#include "install/install_places.h"

#include "install/install_script.h"
#include "install/script_name_check.h"
#include "xdg_places/xdg_places.h"

InstallPlaces windows_install_places(const std::string& windows_dir,
                                     bool (*is_lead_byte)(unsigned char)) {
    return {windows_dir, windows_dir.substr(0, 3) + "Progra~1\\", '\\', is_lead_byte};
}

InstallPlaces xdg_install_places(const char* config_home, const char* data_home, const char* home) {
    const std::string config = xdg_config_home(config_home, home);
    const std::string data = xdg_data_home(data_home, home);
    // Without them the folders would hang from the root of the file system.
    if (config.empty() || data.empty()) return {"", "", '/'};
    return {mepu_folder_in(config), data + "/", '/'};
}

std::string complete_install_paths(const InstallPlaces& places, InstallScript* script) {
    if (places.windows_dir.empty() || places.programs_prefix.empty())
        return "no folder to install into";
    std::string failure = check_script_names(*script, places);
    if (!failure.empty()) return failure;
    script->ini_file = places.windows_dir + places.separator + script->ini_file;
    script->destination = places.programs_prefix + script->destination + places.separator;
    return {};
}
