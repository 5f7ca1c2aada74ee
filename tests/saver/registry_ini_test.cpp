// registry.ini: values round trip, other lines survive, types and sizes are checked.
#include "saver/registry_ini/registry_ini.h"

#include "saver/core/saver_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "support/temp_folder.h"

namespace {

struct RegistryIniTest : testing::Test {
    test_support::TempFolder folder;
    std::string path = (folder.path() / "mepu" / "registry.ini").string();

    void write_file(const std::string& text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string file_text() {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

TEST_F(RegistryIniTest, WritesTheLayoutOfOneSectionPerKey) {
    RegistryIniStore store(path);
    ASSERT_TRUE(store.write_string(SAVER_SETTINGS_KEY, VALUE_LOAD_FILE, "/home/u/walk.mpa"));
    ASSERT_TRUE(store.write_string(DESKTOP_KEY, VALUE_PASSWORD, "pw"));
    ASSERT_TRUE(store.write_string(SAVER_SETTINGS_KEY, VALUE_LOAD_FILE, "/home/u/run.mpa"));
    EXPECT_EQ(file_text(),
              "[Software\\tarvolo\\MepuScreenSaver]\nloadfile=/home/u/run.mpa\n\n"
              "[Control Panel\\desktop]\nScreenSavePasswordString=pw\n");
}

TEST_F(RegistryIniTest, RoundTripsThroughTheSaverSettings) {
    RegistryIniStore store(path, {DESKTOP_KEY});
    EXPECT_EQ(read_load_file(store), "");
    ASSERT_TRUE(write_load_file(store, "/tmp/アニメ/a=b.mpa"));
    EXPECT_EQ(read_load_file(store), "/tmp/アニメ/a=b.mpa");
    EXPECT_EQ(change_password(store, "Abc", "Abc"), PasswordChange::STORED);
    RegistryIniStore again(path, {DESKTOP_KEY});
    EXPECT_EQ(check_password(again, "Abc"), PasswordCheck::ACCEPTED);
    EXPECT_EQ(check_password(again, "abc"), PasswordCheck::WRONG);
    EXPECT_EQ(read_load_file(again), "/tmp/アニメ/a=b.mpa");
}

TEST_F(RegistryIniTest, KeepsWhatOthersWroteAndMatchesNamesWithoutCase) {
    write_file(
        "; kept\r\n[Shell Folders]\r\nPrograms=/x\r\n[control panel\\Desktop]\r\n"
        "screensaveusepassword=1\r\nOther=5\r\n");
    RegistryIniStore store(path);
    EXPECT_TRUE(password_required(store));
    ASSERT_TRUE(store.write_string(DESKTOP_KEY, VALUE_PASSWORD, "x"));
    EXPECT_EQ(file_text(),
              "; kept\n[Shell Folders]\nPrograms=/x\n[control panel\\Desktop]\n"
              "screensaveusepassword=1\nOther=5\nScreenSavePasswordString=x\n");
}

// A rewrite ends every line with a bare LF; what a line with several CRs meant before must not
// change, or storing the animation file could make a password required.
TEST_F(RegistryIniTest, LinesWithSeveralCarriageReturnsMeanTheSameAfterARewrite) {
    write_file(
        "[Control Panel\\desktop]\r\r\nScreenSaveUsePassword=1\r\r\r\n"
        "[Software\\tarvolo\\MepuScreenSaver]\r\nloadfile=/old.mpa\r\r\n");
    RegistryIniStore store(path);
    EXPECT_TRUE(password_required(store));
    EXPECT_EQ(read_load_file(store), "/old.mpa");
    ASSERT_TRUE(write_load_file(store, "/new.mpa"));
    EXPECT_TRUE(password_required(store));
    EXPECT_EQ(read_load_file(store), "/new.mpa");
    EXPECT_EQ(file_text(),
              "[Control Panel\\desktop]\nScreenSaveUsePassword=1\n"
              "[Software\\tarvolo\\MepuScreenSaver]\nloadfile=/new.mpa\n");
}

TEST_F(RegistryIniTest, NumbersAndStringsAreReadOnlyWhenTheyFit) {
    write_file(
        "[K]\nzero=0\none=1\nbig=4294967295\ntoo_big=4294967296\nword=yes\nneg=-1\n"
        "empty=\nlong=" +
        std::string(1024, 'p') + "\n");
    RegistryIniStore store(path);
    struct Case {
        const char* name;
        bool is_number;
        uint32_t number;
    } cases[] = {{"zero", true, 0},     {"one", true, 1},     {"big", true, 4294967295u},
                 {"too_big", false, 0}, {"word", false, 0},   {"neg", false, 0},
                 {"empty", false, 0},   {"missing", false, 0}};
    for (const Case& c : cases) {
        uint32_t value = 77;
        EXPECT_EQ(store.read_number("K", c.name, &value), c.is_number) << c.name;
        if (c.is_number) {
            EXPECT_EQ(value, c.number) << c.name;
        }
    }
    std::string text;
    EXPECT_TRUE(store.read_string("K", "empty", 1, &text));
    EXPECT_FALSE(store.read_string("K", "long", LOAD_FILE_BUFFER, &text));
    EXPECT_TRUE(store.read_string("K", "long", LOAD_FILE_BUFFER + 1, &text));
    EXPECT_EQ(text.size(), 1024u);
}

TEST_F(RegistryIniTest, KeysExistOnlyWhenWrittenOrAlwaysPresent) {
    RegistryIniStore plain(path);
    RegistryIniStore system(path, {DESKTOP_KEY});
    EXPECT_FALSE(plain.key_exists(DESKTOP_KEY));
    EXPECT_TRUE(system.key_exists(DESKTOP_KEY));
    EXPECT_EQ(change_password(plain, "a", "a"), PasswordChange::NOT_STORED);
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_TRUE(plain.write_string(SAVER_SETTINGS_KEY, VALUE_LOAD_FILE, ""));
    EXPECT_TRUE(plain.key_exists(SAVER_SETTINGS_KEY));
}

TEST_F(RegistryIniTest, RefusesValuesThatWouldBreakTheFile) {
    RegistryIniStore store(path);
    ASSERT_TRUE(store.write_string(SAVER_SETTINGS_KEY, VALUE_LOAD_FILE, "/a.mpa"));
    EXPECT_FALSE(store.write_string(SAVER_SETTINGS_KEY, VALUE_LOAD_FILE, "/a\n[x]\nb=c"));
    EXPECT_EQ(read_load_file(store), "/a.mpa");
}

// The file holds the password in plain text.
TEST_F(RegistryIniTest, OnlyItsOwnerMayReadTheFile) {
    const auto mode_of = [](const std::string& file) {
        struct stat info {};
        EXPECT_EQ(::stat(file.c_str(), &info), 0);
        return info.st_mode & 0777;
    };
    const mode_t saved_umask = ::umask(0);
    RegistryIniStore store(path);
    ASSERT_TRUE(store.write_string(DESKTOP_KEY, VALUE_PASSWORD, "secret"));
    EXPECT_EQ(mode_of(path), 0600u);
    // A file a former version left readable by everyone is closed at the next write.
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    ASSERT_TRUE(store.write_string(DESKTOP_KEY, VALUE_PASSWORD, "other"));
    EXPECT_EQ(mode_of(path), 0600u);
    ::umask(saved_umask);
    const std::filesystem::directory_iterator files(std::filesystem::path(path).parent_path());
    EXPECT_EQ(std::distance(files, std::filesystem::directory_iterator()), 1);
}

}  // namespace
