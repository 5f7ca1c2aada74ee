#include "host/common/system_dir_posix.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "xdg_places/xdg_places.h"

namespace {
// mkdir -p: the Windows directory always exists, so its Linux place must too.
void make_folders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return;
        if (slash == std::string::npos) return;
    }
}
}  // namespace

int copy_directory_name(const char* folder, char* buffer, int capacity) {
    std::string name = folder;
    while (name.size() > 1 && name.back() == '/') name.pop_back();
    if (name.empty() || capacity <= 0 || name.size() + 1 > static_cast<std::size_t>(capacity)) {
        return -1;
    }
    make_folders(name);
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    return static_cast<int>(name.size());
}

int linux_windows_directory(char* buffer, int capacity) {
    const std::string folder = mepu_config_folder();
    if (folder.empty()) return -1;
    return copy_directory_name(folder.c_str(), buffer, capacity);
}
