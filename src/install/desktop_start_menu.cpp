#include "install/desktop_start_menu.h"

#include <algorithm>

#include "file_replace/replace_file.h"
#include "install/desktop_file_types.h"
#include "install/file_ops.h"
#include "registry_ini/registry_ini_reader.h"

namespace {

const char* const SHELL_FOLDERS_SECTION =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Exec= quoting of desktop entries: the path in double quotes, with ", `, $ and \ escaped by a
// backslash and % doubled (else it starts a field code), then every backslash doubled by the
// string escape of the file format.
std::string quoted_exec(const std::string& path) {
    std::string out = "\"";
    for (char c : path) {
        if (c == '\\')
            out += "\\\\\\\\";
        else if (c == '"' || c == '`' || c == '$')
            out += std::string("\\\\") + c;
        else if (c == '%')
            out += "%%";
        else
            out += c;
    }
    return out + "\"";
}

// A name value: only the backslash needs the string escape, as names hold no line breaks.
std::string escaped_name(const std::string& name) {
    std::string out;
    for (char c : name) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
}

// A line break, tab or other control character cannot stand in an entry's line: the entry would
// be cut or rejected by a launcher.
bool has_control_character(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7f'; });
}

// The programs of the kit that open an animation file named on their command line.
bool opens_animations(const std::string& target) {
    const std::string name = target.substr(target.find_last_of('/') + 1);
    return name == "mepu" || name == "m2bmp";
}

}  // namespace

DesktopStartMenu::DesktopStartMenu(std::string registry_ini, std::string default_folder)
    : registry_ini_(std::move(registry_ini)), default_folder_(std::move(default_folder)) {}

std::string DesktopStartMenu::group_folder(const std::string& group_name) {
    std::string start_menu;
    if (!read_registry_ini_value(registry_ini_, SHELL_FOLDERS_SECTION, "Start Menu", &start_menu) ||
        start_menu.empty()) {
        start_menu = default_folder_;
    }
    if (start_menu.empty()) return {};
    const std::string folder = start_menu + "/" + group_name;
    make_folders(folder);
    return folder + "/";
}

bool DesktopStartMenu::create_shortcut(const std::string& target, const std::string& folder,
                                       const std::string& app_name) {
    if (has_control_character(target) || has_control_character(app_name)) return false;
    std::string entry = "[Desktop Entry]\nType=Application\nName=" + escaped_name(app_name) +
                        "\nExec=" + quoted_exec(target);
    if (opens_animations(target))
        entry += std::string(" %f\nMimeType=") + ANIMATION_MIME_TYPE + ";";
    entry += std::string("\nIcon=") + KIT_ICON_NAME + "\nTerminal=false\n";
    // A launcher may read the entry at any moment: it only ever sees a whole one.
    return replace_file((folder + app_name + ".desktop").c_str(), [&](FileOutput& out) {
               out.write(entry);
           }).status == ReplaceStatus::ok;
}
