#include <gtest/gtest.h>

#include "support/anim_file_bytes.h"
#include "editor_fixture.h"

namespace {

using anim_test::AnimationSnapshot;
using anim_test::error_box;
using anim_test::logged;
using anim_test::snapshot;
using anim_test::utf8;
using test_support::FileBytes;
using test_support::read_file;

class LoadSaveTest : public anim_test::EditorAnimationTest {
protected:
    std::string save_to(const std::string& name) {
        const std::string path = folder.file(name);
        script_host_queue_file(path.c_str());
        save_animation();
        return path;
    }
    void load_from(const std::string& path) {
        script_host_queue_file(path.c_str());
        load_animation();
    }
    std::string file_with(const FileBytes& bytes, const std::string& name = "in.mpa") {
        const std::string path = folder.file(name);
        test_support::write_file(path, bytes.bytes);
        return path;
    }
};

TEST_F(LoadSaveTest, NewAnimationSavesTwentyEightBytes) {
    const std::string path = save_to("anime.mpa");
    EXPECT_EQ(read_file(path), FileBytes().header(1).record({}).bytes);
    EXPECT_TRUE(logged("save \"" + utf8(u8"ファイルの保存") + "\" *.mpa -> " + path));
    EXPECT_NE(script_host_text().find(utf8(u8"保存します｡ファイル名をえらんでください")),
              std::string::npos);
    EXPECT_EQ(anim_test::count_boxes(), 0);
}

TEST_F(LoadSaveTest, SaveAndLoadRoundTrip) {
    make_animation(6, 3, 17);
    const AnimationSnapshot saved = snapshot();
    const std::string path = save_to("round.mpa");

    ASSERT_EQ(init_animation(), 0);
    load_from(path);
    AnimationSnapshot expected = saved;
    expected.current_frame = 0;
    EXPECT_EQ(snapshot(), expected);
    const std::string text = script_host_text();
    EXPECT_NE(text.find(utf8(u8"現在5コマ目を読み込み中")), std::string::npos) << text;
    EXPECT_NE(text.find(utf8(u8"終了")), std::string::npos) << text;
    EXPECT_TRUE(logged("open \"" + utf8(u8"ファイルの読み込み") + "\" *.mpa -> " + path));
}

TEST_F(LoadSaveTest, SaveNameWithoutExtensionGetsMpa) {
    save_to("sample");
    EXPECT_EQ(read_file(folder.file("sample.mpa")).size(), 28u);
    EXPECT_STREQ(animation_file_names().current_name, "sample.mpa");
}

TEST_F(LoadSaveTest, CancelledDialogsChangeNothing) {
    make_animation(3, 1, 9);
    const AnimationSnapshot before = snapshot();
    script_host_queue_file_cancel();
    save_animation();
    script_host_queue_file_cancel();
    load_animation();
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(folder.names().empty());
    EXPECT_STREQ(animation_file_names().current_path, "anime.mpa");
}

TEST_F(LoadSaveTest, SaveOverAnExistingFileReplacesIt) {
    make_animation(2, 0, 5);
    const std::string path = folder.file("old.mpa");
    test_support::write_file(path, std::vector<uint8_t>(100000, 1));
    save_to("old.mpa");
    EXPECT_EQ(read_file(path).size(), 24u + 2u * 4u + frame_block_size(animation().frames[0]) - 4u +
                                          frame_block_size(animation().frames[1]) - 4u);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"old.mpa"});
}

TEST_F(LoadSaveTest, SaveWhereAFileCannotBeCreated) {
    std::filesystem::create_directory(folder.path() / "busy.mpa");
    save_to("busy.mpa");
    EXPECT_TRUE(
        logged(error_box(u8"書き込み中にエラーが発生しました。ファイル名が違法かも知れません。")));
    EXPECT_STREQ(animation_file_names().current_path, folder.file("busy.mpa").c_str());
}

struct RefusedCase {
    const char* name;
    FileBytes file;
    const char8_t* line;  // nullptr: no line in the text window
    const char8_t* box;
};

std::vector<RefusedCase> refused_cases() {
    return {
        {"cut in the header", FileBytes().header(1).cut(10), nullptr,
         u8"読み込み中にエラーが発生しました"},
        {"width 321", FileBytes().header(1, 5, 0, 321).record({}),
         u8"致命的エラー：画像サイズが違います。", u8"致命的エラー：画像サイズが違います"},
        {"4096 pages", FileBytes().header(4096).record({}),
         u8"致命的エラー：ページ数が多すぎます。", u8"致命的エラー：ページ数が多すぎます。"},
        {"negative pages", FileBytes().header(-2).record({}),
         u8"致命的エラー：ページ数が正しくありません。",
         u8"致命的エラー：ページ数が正しくありません。"},
        {"version 7", FileBytes().header(1, 5, 7).record({}),
         u8"致命的エラー：このバージョンのめぷファイルは読み込めません。",
         u8"致命的エラー：このバージョンのめぷファイルは読み込めません。"},
    };
}

TEST_F(LoadSaveTest, RefusedFilesLeaveTheAnimationAsItWas) {
    make_animation(10, 4, 12);
    const AnimationSnapshot before = snapshot();
    for (const RefusedCase& c : refused_cases()) {
        SCOPED_TRACE(c.name);
        script_host_reset();
        create_screen();
        const std::string path = file_with(c.file);
        load_from(path);
        EXPECT_EQ(snapshot(), before);
        EXPECT_TRUE(logged(error_box(c.box)));
        EXPECT_EQ(anim_test::count_boxes(), 1);
        const std::string text = script_host_text();
        if (c.line != nullptr) {
            EXPECT_NE(text.find(utf8(c.line)), std::string::npos) << text;
        }
        EXPECT_EQ(text.find(utf8(u8"終了")), std::string::npos) << text;
        // The chosen name stays for the next dialog.
        EXPECT_STREQ(animation_file_names().current_path, path.c_str());
    }
}

TEST_F(LoadSaveTest, MissingFileLeavesTheAnimationAsItWas) {
    make_animation(3, 2, 8);
    const AnimationSnapshot before = snapshot();
    set_file_name(animation_file_names().current_path, folder.file("gone.mpa").c_str());
    load_animation_file();
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(logged(error_box(u8"読み込み中にエラーが発生しました")));
}

struct PartialCase {
    const char* name;
    FileBytes file;
    int32_t frames_kept;
    const char8_t* box;
};

TEST_F(LoadSaveTest, FailureInsideTheFramesKeepsTheFramesRead) {
    const auto white = test_support::white_tokens();
    const auto half = test_support::half_black_tokens();
    const FileBytes three = FileBytes().header(3, 20).record(white).record(half).record(white);
    const std::vector<PartialCase> cases = {
        {"cut in frame 2's tokens", FileBytes(three).cut(three.bytes.size() - 10), 2,
         u8"読み込み中にエラーが発生しました"},
        {"cut in frame 1's count", FileBytes(three).cut(24 + 604 + 3), 1,
         u8"読み込み中にエラーが発生しました"},
        {"negative count in frame 1", FileBytes().header(3, 20).record(white).int32(-5), 1,
         u8"致命的エラー：コマのデータが壊れています。"},
        {"count past a picture in frame 2",
         FileBytes().header(3, 20).record(white).record(half).int32(76801), 2,
         u8"致命的エラー：コマのデータが壊れています。"},
    };
    for (const PartialCase& c : cases) {
        SCOPED_TRACE(c.name);
        make_animation(5, 3, 9);
        script_host_reset();
        create_screen();
        load_from(file_with(c.file));
        EXPECT_TRUE(logged(error_box(c.box)));
        const Animation& anim = animation();
        EXPECT_EQ(anim.frame_count, c.frames_kept);
        EXPECT_EQ(anim.current_frame, 0);
        EXPECT_EQ(anim.speed, 20);
        EXPECT_EQ(
            std::vector<uint8_t>(frame_tokens(anim.frames[0]), frame_tokens(anim.frames[0]) + 600),
            white);
        EXPECT_EQ(script_host_text().find(utf8(u8"終了")), std::string::npos);
    }
}

TEST_F(LoadSaveTest, FailureAtTheFirstFrameStillLeavesAFrame) {
    make_animation(4, 2, 9);
    load_from(file_with(FileBytes().header(2, 6).int32(3)));
    const Animation& anim = animation();
    ASSERT_EQ(anim.frame_count, 1);
    EXPECT_EQ(anim.frames[0]->token_count, 0);
    EXPECT_EQ(anim.speed, 6);
}

int g_allocations_left = 0;
void* limited_memory(std::size_t bytes) {
    return g_allocations_left-- > 0 ? allocate_block(bytes) : nullptr;
}

TEST_F(LoadSaveTest, OutOfMemoryKeepsTheFramesRead) {
    make_animation(2, 1, 5);
    const std::string path =
        file_with(FileBytes().header(4, 30).record({}).record({}).record({}).record({}));
    set_file_name(animation_file_names().current_path, path.c_str());
    animation_state().allocate = limited_memory;
    g_allocations_left = 3;  // the spare empty frame, then frames 0 and 1
    load_animation_file();
    animation_state().allocate = allocate_block;
    EXPECT_TRUE(logged(error_box(u8"致命的エラー：メモリが足りません。")));
    EXPECT_NE(script_host_text().find(utf8(u8"致命的エラー：メモリが足りません。")),
              std::string::npos);
    EXPECT_EQ(animation().frame_count, 2);
    EXPECT_EQ(animation().speed, 30);
}

TEST_F(LoadSaveTest, FileWithoutFramesGivesOneEmptyFrame) {
    make_animation(3, 2, 9);
    load_from(file_with(FileBytes().header(0, 7)));
    const Animation& anim = animation();
    ASSERT_EQ(anim.frame_count, 1);
    EXPECT_EQ(anim.current_frame, 0);
    EXPECT_EQ(anim.frames[0]->token_count, 0);
    EXPECT_EQ(anim.speed, 7);
    EXPECT_NE(script_host_text().find(utf8(u8"終了")), std::string::npos);
    // Drawing and saving use a counted frame.
    anim_test::draw_picture(3);
    EXPECT_GT(store_current_frame(), 0);
    const std::string saved = save_to("drawn.mpa");
    EXPECT_EQ(read_file(saved).size(), 24u + frame_block_size(anim.frames[0]));
}

TEST_F(LoadSaveTest, LoadWithoutATableMakesOne) {
    release_animation();
    load_from(file_with(FileBytes().header(2, 9).record({}).record(test_support::white_tokens())));
    ASSERT_NE(animation().frames, nullptr);
    EXPECT_EQ(animation().frame_count, 2);
    EXPECT_EQ(animation().frames[1]->token_count, 600);
    ASSERT_NE(animation_state().undo_frame, nullptr);
}

// A speed that cannot be played is kept as stored, so a save writes back what was read; only
// its playable value (5) times the frames.
TEST_F(LoadSaveTest, SpeedIsKeptAsStored) {
    for (const int32_t speed : {0, -1, INT32_MIN, 1, 60, 500}) {
        SCOPED_TRACE(speed);
        load_from(file_with(FileBytes().header(1, speed).record({})));
        EXPECT_EQ(animation().speed, speed);
        EXPECT_EQ(playable_speed(animation().speed), speed < 1 ? 5 : speed);
        EXPECT_EQ(read_file(save_to("again.mpa")), FileBytes().header(1, speed).record({}).bytes);
    }
}

TEST_F(LoadSaveTest, HeaderSizeWarningThenFullLoad) {
    load_from(file_with(
        FileBytes().header(2, 5, 0, 320, 240, 20).record({}).record(test_support::white_tokens())));
    const std::string text = script_host_text();
    EXPECT_NE(text.find(utf8(u8"エラー：ヘッダサイズが違います。")), std::string::npos) << text;
    EXPECT_NE(text.find(utf8(u8"終了")), std::string::npos) << text;
    EXPECT_EQ(animation().frame_count, 2);
    EXPECT_EQ(anim_test::count_boxes(), 0);
}

TEST_F(LoadSaveTest, OlderVersionIsConvertedAndSavedAsRuns) {
    std::vector<uint8_t> first(9600, 0xFF);
    first[0] = 0x01;  // leftmost pixel white, the next seven black
    std::vector<uint8_t> second(9600, 0x00);
    second[9599] = 0x80;  // only the very last pixel white
    load_from(file_with(FileBytes().header(2, 4, -1).raw(first).raw(second)));
    const Animation& anim = animation();
    ASSERT_EQ(anim.frame_count, 2);
    EXPECT_EQ(anim.speed, 4);
    set_print_values(CANVAS_INK, CANVAS_PAPER);
    print_page(0);
    EXPECT_EQ(anim_test::canvas_bits()[0], CANVAS_PAPER);
    for (int x = 1; x < 8; ++x) {
        EXPECT_EQ(anim_test::canvas_bits()[x], CANVAS_INK) << x;
    }
    EXPECT_EQ(anim_test::canvas_bits()[8], CANVAS_PAPER);
    EXPECT_EQ(frame_pixel_count(anim.frames[0]), FRAME_PIXELS);
    EXPECT_EQ(frame_pixel_count(anim.frames[1]), FRAME_PIXELS);
    EXPECT_EQ(frame_tokens(anim.frames[1])[anim.frames[1]->token_count - 1], 128);

    const std::string path = save_to("converted.mpa");
    std::vector<uint8_t> bytes = read_file(path);
    ASSERT_GE(bytes.size(), 24u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 20, bytes.begin() + 24),
              (std::vector<uint8_t>{0, 0, 0, 0}));
    EXPECT_EQ(bytes.size(),
              24u + frame_block_size(anim.frames[0]) + frame_block_size(anim.frames[1]));
}

TEST_F(LoadSaveTest, OlderVersionCutShortConvertsTheFramesRead) {
    load_from(file_with(FileBytes()
                            .header(3, 4, -1)
                            .raw(std::vector<uint8_t>(9600, 0xFF))
                            .raw(std::vector<uint8_t>(100))));
    ASSERT_EQ(animation().frame_count, 1);
    EXPECT_EQ(frame_pixel_count(animation().frames[0]), FRAME_PIXELS);
    EXPECT_TRUE(logged(error_box(u8"読み込み中にエラーが発生しました")));
}

// A version -1 file without pages still goes through the conversion's clearing: only the
// closing line is left.
TEST_F(LoadSaveTest, OlderVersionWithoutPagesClearsTheText) {
    make_animation(3, 2, 9);
    load_from(file_with(FileBytes().header(0, 4, -1)));
    const std::string text = script_host_text();
    EXPECT_EQ(text.find(utf8(u8"読み込みます")), std::string::npos) << text;
    EXPECT_NE(text.find(utf8(u8"終了")), std::string::npos) << text;
    ASSERT_EQ(animation().frame_count, 1);
    EXPECT_EQ(animation().frames[0]->token_count, 0);
}

int g_allocation_number = 0;
int g_failing_allocation = -1;
void* failing_once(std::size_t bytes) {
    return g_allocation_number++ == g_failing_allocation ? nullptr : allocate_block(bytes);
}

// Memory running out while a version -1 file is read or converted: the message line stays in the
// text window after the conversion, the load is not reported as finished, and every frame kept
// is a complete run-length frame.
TEST_F(LoadSaveTest, OlderVersionOutOfMemoryKeepsItsMessage) {
    struct Case {
        const char* what;
        int failing_allocation;  // 0 is the spare empty frame, 1 .. 3 the raw blocks, then one
                                 // block per converted frame
        int32_t frames_left;
    } cases[] = {
        {"reading frame 2", 3, 2},
        {"converting frame 0", 4, 1},
        {"converting frame 1", 5, 1},
        {"converting frame 2", 6, 2},
    };
    const std::string path = file_with(FileBytes()
                                           .header(3, 4, -1)
                                           .raw(std::vector<uint8_t>(9600, 0xFF))
                                           .raw(std::vector<uint8_t>(9600, 0x00))
                                           .raw(std::vector<uint8_t>(9600, 0x0F)));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        make_animation(4, 2, 9);
        const int boxes_before = anim_test::count_boxes();
        set_file_name(animation_file_names().current_path, path.c_str());
        g_allocation_number = 0;
        g_failing_allocation = c.failing_allocation;
        animation_state().allocate = failing_once;
        load_animation_file();
        animation_state().allocate = allocate_block;
        const std::string text = script_host_text();
        EXPECT_NE(text.find(utf8(u8"致命的エラー：メモリが足りません。")), std::string::npos)
            << text;
        EXPECT_EQ(text.find(utf8(u8"終了")), std::string::npos) << text;
        EXPECT_EQ(anim_test::count_boxes(), boxes_before + 1);
        EXPECT_TRUE(logged(error_box(u8"致命的エラー：メモリが足りません。")));
        ASSERT_EQ(animation().frame_count, c.frames_left);
        for (int32_t i = 0; i < c.frames_left; ++i) {
            const Frame* frame = animation().frames[i];
            EXPECT_TRUE(frame->token_count == 0 || frame_pixel_count(frame) == FRAME_PIXELS) << i;
        }
    }
}

}  // namespace
