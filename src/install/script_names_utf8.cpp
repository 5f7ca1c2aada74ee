#include "install/script_names_utf8.h"

#include <iconv.h>

#include <memory>

bool shift_jis_to_utf8(const std::string& text, std::string* utf8) {
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    std::unique_ptr<void, int (*)(iconv_t)> closer(converter, iconv_close);
    // A Shift-JIS character of one or two bytes takes at most three bytes in UTF-8.
    std::string out(text.size() * 3, '\0');
    char* in_ptr = const_cast<char*>(text.data());
    size_t in_left = text.size();
    char* out_ptr = out.data();
    size_t out_left = out.size();
    if (iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<size_t>(-1))
        return false;
    out.resize(out.size() - out_left);
    *utf8 = std::move(out);
    return true;
}

std::string decode_script_names(InstallScript* script) {
    struct Single {
        const char* keyword;
        std::string* value;
    };
    const Single singles[] = {{"#InstallDest", &script->destination},
                              {"#IniFile", &script->ini_file},
                              {"#GroupName", &script->group_name}};
    for (const Single& s : singles)
        if (!shift_jis_to_utf8(*s.value, s.value))
            return std::string(s.keyword) + " is not Shift-JIS";
    struct List {
        const char* keyword;
        std::vector<std::string>* items;
    };
    const List lists[] = {{"#InstallFiles", &script->install_files},
                          {"#LinkTo", &script->link_targets},
                          {"#Appname", &script->app_names}};
    for (const List& l : lists)
        for (std::string& item : *l.items)
            if (!shift_jis_to_utf8(item, &item))
                return std::string(l.keyword) + " is not Shift-JIS";
    return {};
}
