#include "install/install_script.h"

#include <gtest/gtest.h>

#include "install/install_places.h"

namespace {

TEST(FindKeywordValue, RunsToTheNextHashOrTheEnd) {
    std::string value = "untouched";
    EXPECT_FALSE(find_keyword_value("#Title x", "#Message", &value));
    EXPECT_EQ(value, "untouched");
    EXPECT_TRUE(find_keyword_value("#Title\r\nMy kit\r\n#Message hi", "#Title", &value));
    EXPECT_EQ(value, "\r\nMy kit\r\n");
    EXPECT_TRUE(find_keyword_value("#Message hi\nthere", "#Message", &value));
    EXPECT_EQ(value, " hi\nthere");
}

TEST(StripBlanks, RemovesEveryBlankWhereverItStands) {
    EXPECT_EQ(strip_blanks(" Program Files\r\n\tx "), "ProgramFilesx");
    EXPECT_EQ(strip_blanks(""), "");
}

TEST(SplitItems, AnyBlankRunSeparates) {
    EXPECT_EQ(split_items("  a.exe\r\nb.dib\t\tc  "),
              (std::vector<std::string>{"a.exe", "b.dib", "c"}));
    EXPECT_TRUE(split_items(" \r\n ").empty());
}

TEST(ParseInstallScript, ReadsEveryKeywordInAnyOrder) {
    const std::string text =
        "#LinkTo a.exe b.exe\r\n#Title\r\nKit\r\n#InstallDest\r\nanim\r\n#IniFile mepusys.ini\r\n"
        "#Message first line\r\nsecond line\r\n#ChangeInstallDestMes drop here\r\n"
        "#GroupName Grp\r\n#EndMessage Done\r\n#InstallFiles a.exe\r\nb.exe c.dib\r\n"
        "#Appname A B\r\n";
    InstallScript script;
    ASSERT_EQ(parse_install_script(text, &script), "");
    EXPECT_EQ(script.title, "Kit");
    EXPECT_EQ(script.destination, "anim");
    EXPECT_EQ(script.ini_file, "mepusys.ini");
    // A message over two lines shows as one line, its blanks and line break gone.
    EXPECT_EQ(script.message, "firstlinesecondline");
    EXPECT_EQ(script.destination_hint, "drophere");
    EXPECT_EQ(script.group_name, "Grp");
    EXPECT_EQ(script.end_message, "Done");
    EXPECT_EQ(script.install_files, (std::vector<std::string>{"a.exe", "b.exe", "c.dib"}));
    EXPECT_EQ(script.app_names, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(script.link_targets, (std::vector<std::string>{"a.exe", "b.exe"}));
}

TEST(ParseInstallScript, MissingKeywordsGiveEmptyFieldsNotAnotherList) {
    InstallScript script;
    ASSERT_EQ(parse_install_script("#InstallFiles x.exe y.exe\n#Title T", &script), "");
    EXPECT_EQ(script.install_files.size(), 2u);
    EXPECT_TRUE(script.app_names.empty());
    EXPECT_TRUE(script.link_targets.empty());
    EXPECT_EQ(script.message, "");
}

TEST(ParseInstallScript, RefusesWhatExceedsTheCapacities) {
    struct Case {
        std::string text;
        const char* why;
    };
    std::string sixty_five_items;
    for (int i = 0; i < 65; ++i) sixty_five_items.append("f").append(std::to_string(i)).append(" ");
    const Case cases[] = {
        {std::string("#Title ").append(512, 'x'), "#Title is too long"},
        {std::string("#GroupName ").append(256, 'g'), "#GroupName is too long"},
        {std::string("#InstallDest ").append(600, 'd'), "#InstallDest is too long"},
        {std::string("#InstallFiles ").append(sixty_five_items),
         "#InstallFiles has too many items"},
        {std::string("#Appname ").append(256, 'a'), "#Appname has an item that is too long"},
        {std::string("#LinkTo ").append(20348, 'l'), "#LinkTo is too long"},
    };
    for (const Case& c : cases) {
        InstallScript script;
        EXPECT_EQ(parse_install_script(c.text, &script), c.why);
    }
    InstallScript fits;
    EXPECT_EQ(parse_install_script(std::string("#Title ").append(510, 'x'), &fits), "");
}

TEST(ReadInstallScript, MissingFileIsRefused) {
    InstallScript script;
    EXPECT_NE(read_install_script("no-such-dir/install.ini", &script), "");
}

TEST(CompleteInstallPaths, WindowsPlaces) {
    InstallScript script;
    script.destination = "anim";
    script.ini_file = "mepusys.ini";
    ASSERT_EQ(complete_install_paths(windows_install_places("C:\\WINDOWS", nullptr), &script), "");
    EXPECT_EQ(script.destination, "C:\\Progra~1\\anim\\");
    EXPECT_EQ(script.ini_file, "C:\\WINDOWS\\mepusys.ini");
}

TEST(CompleteInstallPaths, LinuxPlacesFollowXdgDefaults) {
    const InstallPlaces set = xdg_install_places("/cfg", "/data", "/home/u");
    EXPECT_EQ(set.windows_dir, "/cfg/mepu");
    EXPECT_EQ(set.programs_prefix, "/data/");
    const InstallPlaces unset = xdg_install_places(nullptr, "", "/home/u");
    EXPECT_EQ(unset.windows_dir, "/home/u/.config/mepu");
    EXPECT_EQ(unset.programs_prefix, "/home/u/.local/share/");
    // Relative values are not taken: the editor would look for its configuration elsewhere.
    const InstallPlaces relative = xdg_install_places("cfg", "data", "/home/u");
    EXPECT_EQ(relative.windows_dir, unset.windows_dir);
    EXPECT_EQ(relative.programs_prefix, unset.programs_prefix);
    // Without a home folder nothing may go below the root of the file system.
    const InstallPlaces no_config = xdg_install_places(nullptr, "/data", nullptr);
    const InstallPlaces no_data = xdg_install_places("/cfg", nullptr, "");
    for (const InstallPlaces& homeless : {no_config, no_data}) {
        InstallScript script;
        script.destination = "mepu";
        script.ini_file = "mepusys.ini";
        EXPECT_NE(complete_install_paths(homeless, &script), "");
        EXPECT_EQ(script.destination, "mepu");
    }
    InstallScript script;
    script.destination = "mepu";
    script.ini_file = "mepusys.ini";
    ASSERT_EQ(complete_install_paths(set, &script), "");
    EXPECT_EQ(script.destination, "/data/mepu/");
    EXPECT_EQ(script.ini_file, "/cfg/mepu/mepusys.ini");
}

}  // namespace
