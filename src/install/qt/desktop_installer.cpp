#include "install/qt/desktop_installer.h"

#include <cstdlib>

#include "install/installer_texts.h"
#include "install/script_names_utf8.h"

std::string load_desktop_install_script(const std::string& path, const InstallPlaces& places,
                                        InstallScript* script) {
    std::string failure = read_install_script(path, script);
    if (failure.empty()) failure = decode_script_names(script);
    if (failure.empty()) failure = complete_install_paths(places, script);
    if (!failure.empty())
        *script = InstallScript{};  // the dialog shows empty texts until it closes
    return failure;
}

DesktopInstaller::LoadedScript DesktopInstaller::load(const InstallPlaces& places) {
    LoadedScript loaded;
    loaded.ok = load_desktop_install_script(SCRIPT_FILE_NAME, places, &loaded.script).empty();
    return loaded;
}

DesktopInstaller::DesktopInstaller()
    : places_(xdg_install_places(std::getenv("XDG_CONFIG_HOME"), std::getenv("XDG_DATA_HOME"),
                                 std::getenv("HOME"))),
      start_menu_(places_.windows_dir + "/registry.ini", places_.programs_prefix + "applications"),
      file_types_(places_.programs_prefix),
      loaded_(load(places_)),
      dialog_(std::move(loaded_.script), loaded_.ok, start_menu_, &file_types_) {}
