// The Windows Start Menu: shell link (.lnk) files in the user's Start Menu programs folder.
#pragma once

#include "install/installation.h"

class WindowsStartMenu : public StartMenu {
public:
    std::string group_folder(const std::string& group_name) override;
    bool create_shortcut(const std::string& target, const std::string& folder,
                         const std::string& app_name) override;
};
