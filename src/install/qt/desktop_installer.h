// The installer on a Linux desktop, set up as its program starts: places from the environment,
// install.ini from the current directory. Setting up writes nothing; only "インストール" does.
#pragma once

#include "install/desktop_file_types.h"
#include "install/desktop_start_menu.h"
#include "install/install_places.h"
#include "install/qt/install_dialog.h"

class DesktopInstaller {
public:
    // Reads XDG_CONFIG_HOME, XDG_DATA_HOME and HOME, and the script in the current directory.
    DesktopInstaller();
    InstallDialog& dialog() { return dialog_; }

private:
    struct LoadedScript {
        InstallScript script;
        bool ok = false;
    };
    static LoadedScript load(const InstallPlaces& places);

    InstallPlaces places_;
    DesktopStartMenu start_menu_;
    DesktopFileTypes file_types_;
    LoadedScript loaded_;  // handed over to the dialog
    InstallDialog dialog_;
};

// install.ini at path for the Linux installer: parsed, its names decoded to UTF-8, its paths
// completed under places. Same result convention as read_install_script.
std::string load_desktop_install_script(const std::string& path, const InstallPlaces& places,
                                        InstallScript* script);
