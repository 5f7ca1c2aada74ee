#include "install/install_script.h"

#include <cstdio>
#include <memory>

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

struct SingleField {
    const char* keyword;
    std::string InstallScript::*field;
    size_t capacity;
};

struct ListField {
    const char* keyword;
    std::vector<std::string> InstallScript::*field;
    size_t item_capacity;
};

}  // namespace

bool find_keyword_value(const std::string& text, const char* keyword, std::string* value) {
    const size_t at = text.find(keyword);
    if (at == std::string::npos) return false;
    const size_t start = at + std::char_traits<char>::length(keyword);
    const size_t end = text.find('#', start);
    *value = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return true;
}

std::string strip_blanks(const std::string& value) {
    std::string out;
    for (char c : value)
        if (!is_blank(c)) out += c;
    return out;
}

std::vector<std::string> split_items(const std::string& text) {
    std::vector<std::string> items;
    std::string item;
    for (char c : text) {
        if (is_blank(c)) {
            if (!item.empty()) items.push_back(std::move(item));
            item.clear();
        } else {
            item += c;
        }
    }
    if (!item.empty()) items.push_back(std::move(item));
    return items;
}

std::string parse_install_script(const std::string& text, InstallScript* script) {
    *script = InstallScript{};
    const SingleField singles[] = {
        {"#ChangeInstallDestMes", &InstallScript::destination_hint, DEST_HINT_CAPACITY},
        {"#Message", &InstallScript::message, MESSAGE_CAPACITY},
        {"#IniFile", &InstallScript::ini_file, PATH_CAPACITY},
        {"#Title", &InstallScript::title, TITLE_CAPACITY},
        {"#InstallDest", &InstallScript::destination, PATH_CAPACITY},
        {"#GroupName", &InstallScript::group_name, GROUP_NAME_CAPACITY},
        {"#EndMessage", &InstallScript::end_message, END_MESSAGE_CAPACITY},
    };
    for (const SingleField& f : singles) {
        std::string raw;
        find_keyword_value(text, f.keyword, &raw);
        if (raw.size() >= f.capacity) return std::string(f.keyword) + " is too long";
        script->*f.field = strip_blanks(raw);
    }
    // A missing list keyword gives an empty list, never the items of another keyword.
    const ListField lists[] = {
        {"#InstallFiles", &InstallScript::install_files, LIST_ITEM_CAPACITY},
        {"#Appname", &InstallScript::app_names, APP_NAME_CAPACITY},
        {"#LinkTo", &InstallScript::link_targets, LIST_ITEM_CAPACITY},
    };
    for (const ListField& f : lists) {
        std::string raw;
        if (!find_keyword_value(text, f.keyword, &raw)) continue;
        if (raw.size() >= LIST_SCRATCH_CAPACITY) return std::string(f.keyword) + " is too long";
        std::vector<std::string> items = split_items(raw);
        if (items.size() > LIST_MAX_ITEMS) return std::string(f.keyword) + " has too many items";
        for (const std::string& item : items)
            if (item.size() >= f.item_capacity)
                return std::string(f.keyword) + " has an item that is too long";
        script->*f.field = std::move(items);
    }
    return {};
}

std::string read_install_script(const std::string& path, InstallScript* script) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) return "cannot open " + path;
    std::string text;
    char chunk[1024];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) text.append(chunk, got);
    if (std::ferror(file.get())) return "cannot read " + path;
    return parse_install_script(text, script);
}
