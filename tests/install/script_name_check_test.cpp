#include "install/script_name_check.h"

#include <gtest/gtest.h>

#include <functional>

#include "install/install_places.h"

namespace {

InstallScript valid_script() {
    InstallScript script;
    EXPECT_EQ(parse_install_script("#InstallDest mepu\n#IniFile mepusys.ini\n"
                                   "#InstallFiles mepu.exe menu/sysmenu.dib\n#GroupName g\n"
                                   "#Appname A\n#LinkTo mepu.exe\n",
                                   &script),
              "");
    return script;
}

using Change = std::function<void(InstallScript&)>;
Change dest(std::string v) {
    return [v](InstallScript& s) { s.destination = v; };
}
Change ini(std::string v) {
    return [v](InstallScript& s) { s.ini_file = v; };
}
Change file(std::string v) {
    return [v](InstallScript& s) { s.install_files.push_back(v); };
}
Change group(std::string v) {
    return [v](InstallScript& s) { s.group_name = v; };
}
Change app(std::string v) {
    return [v](InstallScript& s) { s.app_names.push_back(v); };
}
Change link(std::string v) {
    return [v](InstallScript& s) { s.link_targets.push_back(v); };
}

// Whether each platform accepts the script with one value changed: Japanese Windows, Windows with
// a one-byte code page (where every 0x5C byte is a backslash), Linux.
struct Case {
    const char* what;
    Change change;
    bool windows_932, windows_one_byte, linux;
};

TEST(CompleteInstallPaths, NamesThatLeaveTheirPlaceAreRefused) {
    const Case cases[] = {
        {"the kit's own script", [](InstallScript&) {}, true, true, true},
        {"destination in a subfolder", dest("tools/mepu"), true, true, true},
        {"destination below a backslash", dest("tools\\mepu"), true, true, true},
        {"no destination", dest(""), false, false, false},
        {"destination climbing", dest("../.."), false, false, false},
        {"destination climbing after a name", dest("a/../.."), false, false, false},
        {"destination climbing by backslashes", dest("..\\.."), false, false, true},
        {"destination at the root", dest("/etc"), false, false, false},
        {"destination on a drive", dest("C:\\x"), false, false, true},
        {"destination on a server", dest("\\\\server\\share"), false, false, true},
        {"destination with a trailing backslash", dest("mepu\\"), false, false, true},
        {"destination of three dots", dest("..."), false, false, true},
        {"configuration in a system folder", ini("System32\\drivers\\etc\\hosts"), false, false,
         true},
        {"configuration climbing", ini("../../victim.txt"), false, false, false},
        {"configuration in a subfolder", ini("a/b.ini"), false, false, false},
        {"no configuration file", ini(""), false, false, false},
        {"configuration named as a device", ini("CON"), false, false, true},
        {"configuration named as a device with an extension", ini("nul.txt"), false, false, true},
        {"configuration named as a port", ini("com1.ini"), false, false, true},
        {"configuration almost a device", ini("CONSOLE.ini"), true, true, true},
        {"configuration almost a port", ini("LPT0"), true, true, true},
        {"configuration in a stream", ini("mepusys.ini:hidden"), false, false, true},
        {"configuration ending in a dot", ini("mepusys.ini."), false, false, true},
        {"file in a subfolder by a backslash", file("menu\\editmenu.dib"), true, true, true},
        {"file climbing", file("../a.exe"), false, false, false},
        {"file at the root", file("/etc/passwd"), false, false, false},
        {"file on a drive's current folder", file("C:a.exe"), false, false, true},
        {"file with a wildcard", file("*.exe"), false, false, true},
        // 0x95 0x5C is one Japanese character; a one-byte code page reads a folder and a file.
        {"file with a two-byte character", file("\x95\x5c.dib"), true, true, true},
        {"file ending in half a character", file("a\x83"), false, true, true},
        // No second byte: Windows reads the colon on its own, a stream.
        {"file with a first byte before a colon", file("a\x83:s"), false, false, true},
        {"no group", group(""), true, true, true},
        {"group climbing into autostart", group("../../../.config/autostart"), false, false, false},
        {"group of two folders", group("g/h"), false, false, false},
        {"group with a two-byte character", group("\x83\x5c"), true, false, true},
        {"app name with a separator", app("A/B"), false, false, false},
        {"app name climbing", app(".."), false, false, false},
        {"app name of a device", app("AUX"), false, false, true},
        {"app name with a control character", app("a\x01"), false, false, false},
        {"link target climbing", link("../cmd.exe"), false, false, false},
        {"link target on a drive", link("C:\\Windows\\cmd.exe"), false, false, true},
    };
    struct Platform {
        const char* name;
        InstallPlaces places;
        bool Case::*accepts;
    };
    const Platform platforms[] = {
        {"Windows 932", windows_install_places("C:\\WINDOWS", is_shift_jis_lead_byte),
         &Case::windows_932},
        {"Windows one-byte", windows_install_places("C:\\WINDOWS", nullptr),
         &Case::windows_one_byte},
        {"Linux", xdg_install_places("/cfg", "/data", "/home/u"), &Case::linux},
    };
    for (const Case& c : cases) {
        for (const Platform& p : platforms) {
            InstallScript script = valid_script();
            c.change(script);
            const InstallScript raw = script;
            const std::string failure = complete_install_paths(p.places, &script);
            EXPECT_EQ(failure.empty(), c.*p.accepts)
                << c.what << " on " << p.name << ": " << failure;
            if (!failure.empty()) {
                EXPECT_EQ(script.destination, raw.destination) << c.what;
            }
        }
    }
}

TEST(CompleteInstallPaths, RefusalNamesTheKeyword) {
    const InstallPlaces places = xdg_install_places("/cfg", "/data", "/home/u");
    const std::pair<Change, const char*> cases[] = {
        {dest(".."), "#InstallDest"}, {ini("../x"), "#IniFile"}, {file("../x"), "#InstallFiles"},
        {group(".."), "#GroupName"},  {app("a/b"), "#Appname"},  {link("/bin/sh"), "#LinkTo"},
    };
    for (const auto& [change, keyword] : cases) {
        InstallScript script = valid_script();
        change(script);
        EXPECT_EQ(complete_install_paths(places, &script).find(keyword), 0u) << keyword;
    }
}

}  // namespace
