// The Start Menu of a Linux desktop: .desktop entries in a folder per group.
#pragma once

#include <string>

#include "install/installation.h"

// Group and app names arrive in UTF-8, the encoding of desktop entries and of the file names.
class DesktopStartMenu : public StartMenu {
public:
    // registry_ini: the file holding the Windows-style registry values; its
    // [Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders] "Start Menu" value, when
    // present, replaces default_folder ($XDG_DATA_HOME/applications).
    DesktopStartMenu(std::string registry_ini, std::string default_folder);
    std::string group_folder(const std::string& group_name) override;
    bool create_shortcut(const std::string& target, const std::string& folder,
                         const std::string& app_name) override;

private:
    std::string registry_ini_;
    std::string default_folder_;
};
