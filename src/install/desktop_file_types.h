// The file type on a Linux desktop: the shared-mime-info package and the icons, copied from the
// installed kit into the user's data folder, and the MIME database brought up to date.
#pragma once

#include <string>

#include "install/installation.h"

// Names the installed kit and the desktop share.
inline constexpr const char* ANIMATION_MIME_TYPE = "application/x-mepu-animation";
inline constexpr const char* KIT_ICON_NAME = "org.mepu.Mepu";

class DesktopFileTypes : public FileTypes {
public:
    // data_home: $XDG_DATA_HOME, ending in a separator.
    explicit DesktopFileTypes(std::string data_home);
    void register_editor(const std::string& destination) override;

private:
    std::string data_home_;
};
