// The installer on a Linux desktop: install.ini from the current directory, the configuration
// file and the registry values in the user's configuration folder, programs under the data folder.
#include <QApplication>

#include <cstdlib>

#include "install/desktop_start_menu.h"
#include "install/file_ops.h"
#include "install/install_places.h"
#include "install/installer_texts.h"
#include "install/qt/install_dialog.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const InstallPlaces places = xdg_install_places(
        std::getenv("XDG_CONFIG_HOME"), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    InstallScript script;
    const bool script_ok = read_install_script(SCRIPT_FILE_NAME, &script).empty();
    if (script_ok)
        complete_install_paths(places, &script);
    else
        script = InstallScript{};  // the dialog shows empty texts until it closes
    // The configuration file goes into this folder, which a fresh account does not have yet.
    make_folders(places.windows_dir);
    DesktopStartMenu start_menu(places.windows_dir + "/registry.ini",
                                places.programs_prefix + "applications");
    InstallDialog dialog(std::move(script), script_ok, start_menu);
    dialog.show();
    return app.exec();
}
