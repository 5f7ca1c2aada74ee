#include "install/script_name_check.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

enum class NameKind { plain, path };

bool is_windows(const InstallPlaces& places) { return places.separator == '\\'; }

bool is_trail_byte(unsigned char c) { return c >= 0x40 && c != 0x7f; }

bool is_separator(unsigned char c, const InstallPlaces& places) {
    return c == '/' || (is_windows(places) && c == '\\');
}

bool is_plain_name(const std::string& name, const InstallPlaces& places) {
    if (name.empty() || name == "." || name == "..") return false;
    // Windows drops a name's trailing dots and blanks, so "..." would climb as ".." does.
    if (is_windows(places) &&
        (name.back() == '.' || name.back() == ' ' || is_windows_device_name(name)))
        return false;
    return true;
}

// A plain name, or for a path plain names joined by separators: never a root, a drive, a stream,
// a parent folder or a control character.
bool stays_in_place(const std::string& text, NameKind kind, const InstallPlaces& places) {
    std::vector<std::string> names(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (places.is_lead_byte != nullptr && places.is_lead_byte(c)) {
            // No code page has a second byte below 0x40 or of 0x7F: Windows would read such a
            // byte, a colon or a slash among them, on its own.
            if (i + 1 == text.size() || !is_trail_byte(static_cast<unsigned char>(text[i + 1])))
                return false;
            names.back() += text.substr(i++, 2);
            continue;
        }
        if (c < 0x20 || c == 0x7f) return false;
        if (is_separator(c, places)) {
            if (kind == NameKind::plain) return false;
            names.emplace_back();
            continue;
        }
        if (is_windows(places) && std::strchr("<>:\"|?*", c) != nullptr) return false;
        names.back() += char(c);
    }
    return std::all_of(names.begin(), names.end(),
                       [&](const std::string& name) { return is_plain_name(name, places); });
}

}  // namespace

bool is_windows_device_name(const std::string& name) {
    std::string base = name.substr(0, name.find('.'));
    for (char& c : base)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
           base[3] >= '1' && base[3] <= '9';
}

bool is_shift_jis_lead_byte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc);
}

std::string check_script_names(const InstallScript& script, const InstallPlaces& places) {
    struct Single {
        const char* keyword;
        const std::string& value;
        NameKind kind;
    };
    const Single singles[] = {{"#InstallDest", script.destination, NameKind::path},
                              {"#IniFile", script.ini_file, NameKind::plain}};
    for (const Single& s : singles)
        if (!stays_in_place(s.value, s.kind, places))
            return std::string(s.keyword) + " names a place outside its folder";
    // No group puts the shortcuts straight into the Start Menu's programs folder.
    if (!script.group_name.empty() && !stays_in_place(script.group_name, NameKind::plain, places))
        return "#GroupName names a place outside its folder";
    struct List {
        const char* keyword;
        const std::vector<std::string>& items;
        NameKind kind;
    };
    const List lists[] = {{"#InstallFiles", script.install_files, NameKind::path},
                          {"#Appname", script.app_names, NameKind::plain},
                          {"#LinkTo", script.link_targets, NameKind::path}};
    for (const List& l : lists)
        for (const std::string& item : l.items)
            if (!stays_in_place(item, l.kind, places))
                return std::string(l.keyword) + " names a place outside its folder";
    return {};
}
