// Feeds arbitrary bytes to the installer's script parser. Whatever script is accepted for a
// platform, every path its installation would write, read or point a shortcut at stays below the
// folder it belongs in, as that platform's file system resolves the path.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "install/install_places.h"
#include "install/install_script.h"
#include "install/installation.h"
#include "install/script_name_check.h"

namespace {

// How many folders below base the path ends, after its parent folders are resolved; -1 when it
// is not below base at all (it climbed out, names a drive, a stream or a device, or is rooted).
int depth_below(const std::string& base, const std::string& path, const InstallPlaces& places) {
    const bool windows = places.separator == '\\';
    const auto separator = [&](char c) { return c == '/' || (windows && c == '\\'); };
    if (path.compare(0, base.size(), base) != 0) return -1;
    if (base.empty() && !path.empty() && separator(path[0])) return -1;
    int depth = 0;
    std::string name;
    const auto end_name = [&] {
        const bool only_dots = !name.empty() && name.find_first_not_of('.') == std::string::npos;
        if (windows && (name.find(':') != std::string::npos || is_windows_device_name(name)))
            depth = -1000;
        else if (name == ".." || (windows && only_dots && name.size() > 1))
            --depth;
        else if (!name.empty() && name != ".")
            ++depth;
        name.clear();
        return depth >= 0;
    };
    for (size_t i = base.size(); i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        // Windows reads a first byte on its own when no valid second byte follows it.
        if (places.is_lead_byte != nullptr && places.is_lead_byte(c) && i + 1 < path.size() &&
            static_cast<unsigned char>(path[i + 1]) >= 0x40 && path[i + 1] != '\x7f') {
            name += path.substr(i++, 2);
        } else if (separator(char(c))) {
            if (!end_name()) return -1;
        } else {
            name += char(c);
        }
    }
    return end_name() ? depth : -1;
}

// The Start Menu as the real ones build it: the group's folder below the menu, one file each.
struct RecordingStartMenu : StartMenu {
    explicit RecordingStartMenu(char separator) : root(std::string("menu") + separator) {}
    std::string group_folder(const std::string& group_name) override {
        return root + group_name + root.back();
    }
    bool create_shortcut(const std::string& target, const std::string& folder,
                         const std::string& app_name) override {
        links.push_back({target, folder + app_name + ".lnk"});
        return true;
    }
    std::string root;
    std::vector<std::pair<std::string, std::string>> links;
};

void check_installation_stays_in_place(InstallScript script, const InstallPlaces& places) {
    if (!complete_install_paths(places, &script).empty()) return;
    if (depth_below(places.programs_prefix, script.destination, places) < 1) __builtin_trap();
    if (depth_below(places.windows_dir + places.separator, script.ini_file, places) != 1)
        __builtin_trap();
    for (const std::string& item : script.install_files) {
        if (depth_below(script.destination, script.destination + item, places) < 1)
            __builtin_trap();
        if (depth_below("", item, places) < 1) __builtin_trap();  // read from the kit's folder
    }
    RecordingStartMenu menu(places.separator);
    make_start_menu_shortcuts(script, menu);
    for (const auto& [target, file] : menu.links) {
        if (depth_below(script.destination, target, places) < 1) __builtin_trap();
        if (depth_below(menu.root, file, places) < 1) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InstallScript script;
    if (!parse_install_script(std::string(reinterpret_cast<const char*>(data), size), &script)
             .empty())
        return 0;
    if (script.install_files.size() > LIST_MAX_ITEMS) __builtin_trap();
    // Japanese Windows, Windows with a one-byte code page, and Linux.
    check_installation_stays_in_place(
        script, windows_install_places("C:\\WINDOWS", is_shift_jis_lead_byte));
    check_installation_stays_in_place(script, windows_install_places("C:\\WINDOWS", nullptr));
    check_installation_stays_in_place(script, xdg_install_places("/cfg", "/data", "/home/u"));
    return 0;
}
