#include "install/desktop_file_types.h"

#include <spawn.h>
#include <cerrno>
#include <sys/wait.h>

#include "install/file_ops.h"

extern char** environ;

namespace {

// Kit file → place under the data folder.
struct DesktopFile {
    const char* kit_name;
    std::string place;
};

void copy_into(const std::string& source, const std::string& target) {
    make_folders(parent_folder(target));
    install_file_copy(source, target);
}

// Rebuilds the cache desktops read types from; a desktop without the tool reads the packages.
void update_mime_database(const std::string& mime_folder) {
    const char* const argv[] = {"update-mime-database", mime_folder.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
        return;
    int status = 0;
    while (waitpid(pid, &status, 0) == -1 && errno == EINTR) {
    }
}

}  // namespace

DesktopFileTypes::DesktopFileTypes(std::string data_home) : data_home_(std::move(data_home)) {}

void DesktopFileTypes::register_editor(const std::string& destination) {
    const std::string icons = data_home_ + "icons/hicolor/";
    const std::string icon = std::string("/apps/") + KIT_ICON_NAME;
    const DesktopFile files[] = {
        {"mepu.xml", data_home_ + "mime/packages/mepu.xml"},
        {"mepu-48.png", icons + "48x48" + icon + ".png"},
        {"mepu-128.png", icons + "128x128" + icon + ".png"},
        {"mepu-256.png", icons + "256x256" + icon + ".png"},
        {"mepu.svg", icons + "scalable" + icon + ".svg"},
    };
    for (const DesktopFile& file : files) copy_into(destination + file.kit_name, file.place);
    update_mime_database(data_home_ + "mime");
}
