#include "install/desktop_start_menu.h"

#include <iconv.h>

#include <cstdio>
#include <memory>

#include "install/file_ops.h"
#include "registry_ini/registry_ini_reader.h"

namespace {

const char* const SHELL_FOLDERS_SECTION =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Exec= quoting of desktop entries: the path in double quotes, with ", `, $ and \ escaped by a
// backslash, then every backslash doubled by the string escape of the file format.
std::string quoted_exec(const std::string& path) {
    std::string out = "\"";
    for (char c : path) {
        if (c == '\\')
            out += "\\\\\\\\";
        else if (c == '"' || c == '`' || c == '$')
            out += std::string("\\\\") + c;
        else
            out += c;
    }
    return out + "\"";
}

}  // namespace

std::string shift_jis_to_utf8(const std::string& text) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return text;
    std::string out(text.size() * 3 + 4, '\0');
    char* in_ptr = const_cast<char*>(text.data());
    size_t in_left = text.size();
    char* out_ptr = out.data();
    size_t out_left = out.size();
    const size_t result = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1)) return text;
    out.resize(out.size() - out_left);
    return out;
}

DesktopStartMenu::DesktopStartMenu(std::string registry_ini, std::string default_folder)
    : registry_ini_(std::move(registry_ini)), default_folder_(std::move(default_folder)) {}

std::string DesktopStartMenu::group_folder(const std::string& group_name) {
    std::string start_menu;
    if (!read_registry_ini_value(registry_ini_, SHELL_FOLDERS_SECTION, "Start Menu", &start_menu) ||
        start_menu.empty()) {
        start_menu = default_folder_;
    }
    if (start_menu.empty()) return {};
    const std::string folder = start_menu + "/" + shift_jis_to_utf8(group_name);
    make_folders(folder);
    return folder + "/";
}

bool DesktopStartMenu::create_shortcut(const std::string& target, const std::string& folder,
                                       const std::string& app_name) {
    const std::string name = shift_jis_to_utf8(app_name);
    std::unique_ptr<FILE, int (*)(FILE*)> file(
        std::fopen((folder + name + ".desktop").c_str(), "wb"), std::fclose);
    if (!file) return false;
    const std::string entry = "[Desktop Entry]\nType=Application\nName=" + name +
                              "\nExec=" + quoted_exec(target) + "\nTerminal=false\n";
    return std::fwrite(entry.data(), 1, entry.size(), file.get()) == entry.size() &&
           std::fclose(file.release()) == 0;
}
