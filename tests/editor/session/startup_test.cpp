#include "editor/session/startup.h"

#include <gtest/gtest.h>

#include "editor/session/menu_images.h"
#include "support/anim_file_bytes.h"
#include "dib_bytes.h"
#include "editor_fixture.h"

namespace {

using anim_test::logged;
using anim_test::utf8;
using test_support::TempFolder;

const std::vector<uint8_t> MENU_PIXELS = {1, 2, 3, 4, 2, 2, 1, 9};

void put_menu_images(const TempFolder& folder, const std::string& subfolder, int count) {
    const char* names[] = {"sysmenu.dib", "animmenu.dib", "stpmenu.dib", "editmenu.dib"};
    std::filesystem::create_directories(folder.path() / subfolder);
    for (int i = 0; i < count; ++i) {
        test_support::write_file((folder.path() / subfolder / names[i]).string(),
                                 anim_test::dib_file(4, 2, MENU_PIXELS));
    }
    test_support::write_file((folder.path() / subfolder / "mepu.exe").string(), {0});
}

class StartupTest : public testing::Test {
protected:
    void SetUp() override {
        script_host_reset();
        std::filesystem::create_directories(system_dir());
        script_host_set_system_dir(system_dir().c_str());
        // The welcome waits for a click; this one is already there.
        script_host_press(PointerButton::left);
    }
    void TearDown() override { release_animation_data(); }

    std::string system_dir() const { return folder.file("windows"); }
    std::string config_path() const { return folder.file("windows/mepusys.ini"); }
    std::string program_folder(const std::string& subfolder) const {
        return (folder.path() / subfolder / "").string();
    }
    void write_config(const std::string& text) {
        test_support::write_file(config_path(), std::vector<uint8_t>(text.begin(), text.end()));
    }
    std::string config_text() const {
        const std::vector<uint8_t> bytes = test_support::read_file(config_path());
        return std::string(bytes.begin(), bytes.end());
    }
    bool config_exists() const { return std::filesystem::exists(config_path()); }

    TempFolder folder;
};

TEST_F(StartupTest, NormalStartGreetsAndWaitsForAClick) {
    put_menu_images(folder, "prog", 4);
    write_config(program_folder("prog") + "\n  ignored words");
    EXPECT_EQ(start_editor(), StartupOutcome::menu_loop);
    EXPECT_TRUE(script_host_messages().empty());
    const MenuImages& images = menu_images();
    for (const ImageRef* image :
         {&images.sysmenu, &images.animmenu, &images.stpmenu, &images.editmenu}) {
        ASSERT_NE(image->bits, nullptr);
        EXPECT_EQ(std::vector<uint8_t>(image->bits, image->bits + 8),
                  (std::vector<uint8_t>{0, 10, 3, 4, 10, 10, 0, 9}));
    }
    EXPECT_EQ(
        anim_test::shown_text(),
        utf8(
            u8"ようこそ､お気楽アニメーションしすてむ｢めぷ｣へ\n\n  もう一つの窓の上でマウスのみぎのボタンをおすとメニューがでます｡\n"));
    const PaletteEntry ink = palette_get(CANVAS_INK);
    EXPECT_EQ(ink.red + ink.green + ink.blue, 0);
    EXPECT_EQ(palette_get(128).red, (118 * 71089) >> 16);  // the grey ramp is in place
    EXPECT_EQ(anim_test::canvas_copy(), std::vector<uint8_t>(FRAME_PIXELS, CANVAS_PAPER));
    EXPECT_EQ(animation().frame_count, 1);
    EXPECT_EQ(animation().speed, 5);
    EXPECT_STREQ(animation_file_names().current_path, "anime.mpa");
    EXPECT_STREQ(animation_file_names().current_name, "anime.mpa");
    EXPECT_FALSE(script_host_exit_requested());
}

TEST_F(StartupTest, UnusableProgramFolderDeletesTheConfiguration) {
    put_menu_images(folder, "three", 3);
    put_menu_images(folder, "with blank", 4);
    put_menu_images(folder, "prog", 4);
    const std::string prog = program_folder("prog");
    struct Case {
        const char* name;
        std::string config;
        bool too_long;
    };
    const std::vector<Case> cases = {
        {"an image missing", program_folder("three"), false},
        {"folder with a blank", program_folder("with blank"), false},
        {"no trailing separator", prog.substr(0, prog.size() - 1), false},
        {"empty file", "", false},
        {"folder too long", std::string(1100, 'a') + "/", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        release_animation_data();
        script_host_reset();
        script_host_set_system_dir(system_dir().c_str());
        write_config(c.config);
        EXPECT_EQ(start_editor(), StartupOutcome::stopped);
        EXPECT_TRUE(script_host_exit_requested());
        EXPECT_FALSE(config_exists());
        const std::string title = "\"" + utf8(u8"実行時のエラー") + "\"";
        EXPECT_TRUE(logged(
            title + " \"" +
            utf8(
                u8"「めぷ」を起動するのに必要なファイルが見付かりません。ＯＫボタンを押すと次に進みます。")));
        EXPECT_TRUE(logged(
            title + " \"" +
            utf8(
                u8"ＯＫボタンをおすとめぷは終了します。その後で、スタートメニューからめぷを起動してください。めぷの設定がはじまります。")));
        EXPECT_EQ(anim_test::count_boxes(), c.too_long ? 3 : 2);
    }
}

TEST_F(StartupTest, FirstRunWritesTheProgramFolder) {
    put_menu_images(folder, "prog", 4);
    script_host_queue_file((folder.path() / "prog" / "mepu.exe").string().c_str());
    EXPECT_EQ(start_editor(), StartupOutcome::menu_loop);
    EXPECT_EQ(config_text(), program_folder("prog"));
    const auto& log = script_host_messages();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].rfind("box ok none \"" + utf8(u8"めぷへようこそ！") + "\"", 0), 0u) << log[0];
    EXPECT_EQ(
        log[1].rfind("open \"" + utf8(u8"mepu.exeがインストールされた場所を指定してください") +
                         "\" mepu.exe -> ",
                     0),
        0u)
        << log[1];
    EXPECT_EQ(
        log[2].rfind("box ok error \"" + utf8(u8"ようこそ「めぷ」へ") + "\" \"" +
                         utf8(u8"システムフォルダに設定ファイル\"mepusys.ini\"を作成します。"),
                     0),
        0u)
        << log[2];
    EXPECT_NE(menu_images().editmenu.bits, nullptr);
    EXPECT_STREQ(animation_file_names().current_name, "anime.mpa");
}

TEST_F(StartupTest, FirstRunAsksAgainWhenOneImageIsMissing) {
    put_menu_images(folder, "three", 3);
    put_menu_images(folder, "prog", 4);
    script_host_queue_file((folder.path() / "three" / "mepu.exe").string().c_str());
    script_host_queue_file((folder.path() / "prog" / "mepu.exe").string().c_str());
    script_host_queue_answer(MessageAnswer::ok);
    script_host_queue_answer(MessageAnswer::retry);
    EXPECT_EQ(start_editor(), StartupOutcome::menu_loop);
    EXPECT_EQ(config_text(), program_folder("prog"));
    EXPECT_TRUE(logged(
        "box retry_cancel none \"" + utf8(u8"めぷへようこそ！") + "\" \"" +
        utf8(
            u8"前の画面での設定がよくなかったようです。ＯＫボタンを押すともう一度設定をします。キャンセルでめぷを終了します。") +
        "\" -> retry"));
}

TEST_F(StartupTest, FirstRunGivenUpAfterTheQuestion) {
    put_menu_images(folder, "three", 3);
    script_host_queue_file((folder.path() / "three" / "mepu.exe").string().c_str());
    EXPECT_EQ(start_editor(), StartupOutcome::stopped);
    EXPECT_TRUE(script_host_exit_requested());
    EXPECT_FALSE(config_exists());
    EXPECT_TRUE(logged(
        "box ok error \"" + utf8(u8"今後の対策") + "\" \"" +
        utf8(
            u8"めぷの起動に必要なファイルが足りないようです。もう一度インストールしてみてください。")));
}

TEST_F(StartupTest, FirstRunStartsOverWithoutAQuestionWhenImagesAreMissing) {
    put_menu_images(folder, "none", 0);
    put_menu_images(folder, "one", 1);
    put_menu_images(folder, "prog", 4);
    for (const char* sub : {"none", "one", "prog"}) {
        script_host_queue_file((folder.path() / sub / "mepu.exe").string().c_str());
    }
    EXPECT_EQ(start_editor(), StartupOutcome::menu_loop);
    EXPECT_EQ(config_text(), program_folder("prog"));
    EXPECT_FALSE(logged("retry_cancel"));
    EXPECT_EQ(anim_test::count_boxes(), 4);  // three first boxes and the creation box
}

TEST_F(StartupTest, FirstRunCancelledEndsTheProgram) {
    EXPECT_EQ(start_editor(), StartupOutcome::stopped);
    EXPECT_TRUE(script_host_exit_requested());
    EXPECT_FALSE(config_exists());
    EXPECT_TRUE(logged("mepu.exe -> cancel"));
}

TEST_F(StartupTest, ConfigurationThatCannotBeCreatedEndsTheProgram) {
    put_menu_images(folder, "prog", 4);
    // A plain file where the folder should be: nothing can be created inside it.
    test_support::write_file(folder.file("not-a-folder"), {0});
    script_host_set_system_dir(folder.file("not-a-folder").c_str());
    script_host_queue_file((folder.path() / "prog" / "mepu.exe").string().c_str());
    EXPECT_EQ(start_editor(), StartupOutcome::stopped);
    EXPECT_TRUE(script_host_exit_requested());
    EXPECT_TRUE(logged("box ok error \"" + utf8(u8"どうなってんだ") + "\" \"" +
                       utf8(u8"作成に失敗しました。")));
}

// Where the Windows directory cannot be written (Windows for an ordinary user), the file lives in
// the user's own folder: read after the Windows directory's, and deleted when it was the one read.
TEST_F(StartupTest, ConfigurationIsReadFromTheWindowsDirectoryThenTheUserFolder) {
    put_menu_images(folder, "good", 4);
    put_menu_images(folder, "three", 3);
    struct Case {
        const char* name;
        const char* in_windows;  // subfolder named there, or null for no file
        const char* in_user;
        StartupOutcome outcome;
        bool windows_kept;
        bool user_kept;
    } cases[] = {
        {"both, the Windows directory's is used", "good", "three", StartupOutcome::menu_loop, true,
         true},
        {"both, the Windows directory's folder is wrong: the user's is used", "three", "good",
         StartupOutcome::menu_loop, true, true},
        {"only the user's", nullptr, "good", StartupOutcome::menu_loop, false, true},
        {"only the user's, deleted", nullptr, "three", StartupOutcome::stopped, false, false},
    };
    const std::string user_dir = folder.file("appdata-mepu");
    const std::string user_config = user_dir + "/mepusys.ini";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        release_animation_data();
        script_host_reset();
        script_host_set_system_dir(system_dir().c_str());
        script_host_set_user_config_dir(user_dir.c_str());
        script_host_press(PointerButton::left);
        std::filesystem::remove(config_path());
        std::filesystem::create_directories(user_dir);
        if (c.in_windows != nullptr) write_config(program_folder(c.in_windows));
        const std::string user_text = program_folder(c.in_user);
        test_support::write_file(user_config,
                                 std::vector<uint8_t>(user_text.begin(), user_text.end()));
        EXPECT_EQ(start_editor(), c.outcome);
        EXPECT_EQ(config_exists(), c.windows_kept);
        EXPECT_EQ(std::filesystem::exists(user_config), c.user_kept);
    }
}

TEST_F(StartupTest, FirstRunWritesTheUserFolderWhenTheWindowsDirectoryRefuses) {
    put_menu_images(folder, "prog", 4);
    // A plain file where the Windows directory should be: nothing can be read or created in it.
    test_support::write_file(folder.file("not-a-folder"), {0});
    script_host_set_system_dir(folder.file("not-a-folder").c_str());
    const std::string user_dir = folder.file("appdata-mepu");
    script_host_set_user_config_dir(user_dir.c_str());
    script_host_queue_file((folder.path() / "prog" / "mepu.exe").string().c_str());
    EXPECT_EQ(start_editor(), StartupOutcome::menu_loop);
    const std::vector<uint8_t> written = test_support::read_file(user_dir + "/mepusys.ini");
    EXPECT_EQ(std::string(written.begin(), written.end()), program_folder("prog"));
    EXPECT_FALSE(logged("box ok error \"" + utf8(u8"どうなってんだ") + "\""));
    EXPECT_NE(menu_images().editmenu.bits, nullptr);
}

// A stale file in the Windows directory that cannot be deleted (here a folder with something in
// it; on Windows one an ordinary user may not touch) must not keep the user out: the setup runs
// and writes the user's own file, and the editor starts.
TEST_F(StartupTest, AStaleWindowsFileThatCannotGoLeadsToTheSetupInTheUserFolder) {
    put_menu_images(folder, "prog", 4);
    std::filesystem::create_directories(config_path() + "/held");
    const std::string user_dir = folder.file("appdata-mepu");
    script_host_set_user_config_dir(user_dir.c_str());
    script_host_queue_file((folder.path() / "prog" / "mepu.exe").string().c_str());
    EXPECT_EQ(start_editor(), StartupOutcome::menu_loop);
    EXPECT_TRUE(logged("box ok error \"" + utf8(u8"実行時のエラー") + "\" \"" +
                       utf8(u8"「めぷ」を起動するのに必要なファイルが見付かりません。")));
    EXPECT_TRUE(logged("box ok none \"" + utf8(u8"めぷへようこそ！") + "\""));
    EXPECT_FALSE(logged(utf8(u8"を削除できませんでした")));
    const std::vector<uint8_t> written = test_support::read_file(user_dir + "/mepusys.ini");
    EXPECT_EQ(std::string(written.begin(), written.end()), program_folder("prog"));
    EXPECT_NE(menu_images().editmenu.bits, nullptr);
}

TEST_F(StartupTest, FirstRunFailsWhenTheUserFolderRefusesToo) {
    put_menu_images(folder, "prog", 4);
    test_support::write_file(folder.file("not-a-folder"), {0});
    script_host_set_system_dir(folder.file("not-a-folder").c_str());
    script_host_set_user_config_dir(folder.file("not-a-folder/mepu").c_str());
    script_host_queue_file((folder.path() / "prog" / "mepu.exe").string().c_str());
    EXPECT_EQ(start_editor(), StartupOutcome::stopped);
    EXPECT_TRUE(logged("box ok error \"" + utf8(u8"どうなってんだ") + "\" \"" +
                       utf8(u8"作成に失敗しました。")));
}

TEST_F(StartupTest, CommandLineFileIsLoadedForPlaying) {
    put_menu_images(folder, "prog", 4);
    write_config(program_folder("prog"));
    const std::string path = folder.file("start.mpa");
    test_support::write_file(
        path, test_support::FileBytes().header(3, 12).record({}).record({}).record({}).bytes);
    script_host_set_command_line(path.c_str());
    script_host_release(PointerButton::left);
    EXPECT_EQ(start_editor(), StartupOutcome::play_command_line_file);
    EXPECT_EQ(animation().frame_count, 3);
    EXPECT_EQ(animation().speed, 12);
    EXPECT_STREQ(animation_file_names().current_path, path.c_str());
    EXPECT_STREQ(animation_file_names().current_name, "anime.mpa");
    EXPECT_TRUE(script_host_messages().empty());
    EXPECT_EQ(script_host_text().find(utf8(u8"読み込みます")), std::string::npos);
}

TEST_F(StartupTest, UnreadableCommandLineFileStillPlays) {
    put_menu_images(folder, "prog", 4);
    write_config(program_folder("prog"));
    script_host_set_command_line(folder.file("missing.mpa").c_str());
    EXPECT_EQ(start_editor(), StartupOutcome::play_command_line_file);
    EXPECT_EQ(animation().frame_count, 1);
    EXPECT_TRUE(logged(anim_test::error_box(u8"読み込み中にエラーが発生しました")));
}

}  // namespace
