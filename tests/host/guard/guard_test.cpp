// The error guard and the application-thread gate on the scripted host, with a test application
// that fails in the way each test asks for.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "host/common/app_entry.h"
#include "host/common/app_gate.h"
#include "host/common/app_thread_posix.h"
#include "host/script/script_host_testing.h"
#include "support/temp_folder.h"

namespace {
enum class Failure { exception, segmentation_fault, raised_signal, plain_return, poll_for_ever };

struct TestApplication {
    std::atomic<Failure> failure{Failure::plain_return};
    std::atomic<int> signal_number{0};
    std::atomic<int> saves{0};
    std::atomic<long> polls{0};
};

TestApplication& application() {
    static TestApplication app;
    return app;
}

void touch_forbidden_page() {
    void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(page, MAP_FAILED);
    volatile int value = *static_cast<volatile int*>(page);
    (void)value;
}

void app_main() {
    TestApplication& app = application();
    for (int code : {12, 7, 45}) log_command(code);
    switch (app.failure.load()) {
        case Failure::exception: throw std::runtime_error("broken");
        case Failure::segmentation_fault: touch_forbidden_page(); break;
        case Failure::raised_signal: std::raise(app.signal_number); break;
        case Failure::plain_return: return;
        case Failure::poll_for_ever:
            for (;;) {
                int x, y, right, left;
                read_pointer(&x, &y, &right, &left);
                ++app.polls;
            }
    }
}

void save_animation() { ++application().saves; }

// Runs each test in a fresh folder, since the guard writes mepu.erf into the current one.
class GuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        script_host_reset();
        set_app_entry_points({app_main, nullptr, save_animation});
        application().saves = 0;
        application().polls = 0;
        folder_ = temp_.path().string();
        // A death test's child runs this set-up again and dies without removing its own folder;
        // made inside this one, it goes with it.
        const char* tmpdir = std::getenv("TMPDIR");
        previous_tmpdir_ = tmpdir == nullptr ? std::nullopt : std::optional<std::string>(tmpdir);
        setenv("TMPDIR", folder_.c_str(), 1);
        // The configuration folder, where the report goes when the current folder refuses it.
        const char* config = std::getenv("XDG_CONFIG_HOME");
        previous_config_ = config == nullptr ? std::nullopt : std::optional<std::string>(config);
        setenv("XDG_CONFIG_HOME", (folder_ + "/config").c_str(), 1);
        ASSERT_NE(getcwd(previous_, sizeof previous_), nullptr);
        ASSERT_EQ(chdir(folder_.c_str()), 0);
    }

    void TearDown() override {
        if (previous_tmpdir_)
            setenv("TMPDIR", previous_tmpdir_->c_str(), 1);
        else
            unsetenv("TMPDIR");
        if (previous_config_)
            setenv("XDG_CONFIG_HOME", previous_config_->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        ASSERT_EQ(chdir(previous_), 0);
    }

    void run(Failure failure, int signal_number = 0) {
        application().failure = failure;
        application().signal_number = signal_number;
        ASSERT_TRUE(start_app_thread());
        ASSERT_TRUE(app_gate_wait_finished(20000));
    }

    static std::string report(const std::string& path = "mepu.erf") {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    static std::string box(const char* title, const char* text) {
        return "box ok error \"" + sjis_to_utf8(title) + "\" \"" + sjis_to_utf8(text) + "\" -> ok";
    }

    static std::vector<std::string> guard_boxes(const std::string& where = "mepu.erf") {
        return {
            box("実行時のエラー", "めぷ実行中にエラーが発生しました。"),
            box("実行時のエラー", ("エラーに関する情報を" + where +
                                   "に記録しました。もしよろしければこのファイルを"
                                   "tarvolo program systemsまで送ってください。")
                                      .c_str()),
            box("実行時のエラー",
                "現在編集中のアニメデータを書き込みます。.ただし、データが壊れている可能性があるので"
                "別のファイル名で保存することをお勧めします。"),
        };
    }

    test_support::TempFolder temp_;
    std::string folder_;
    std::optional<std::string> previous_tmpdir_;
    std::optional<std::string> previous_config_;
    char previous_[4096] = {};
};

TEST_F(GuardTest, EachKindOfFailureWritesTheReportAndOffersTheSave) {
    struct Case {
        const char* name;
        Failure failure;
        int signal_number;
    } cases[] = {
        {"exception", Failure::exception, 0},
        {"real segmentation fault", Failure::segmentation_fault, 0},
        {"SIGSEGV", Failure::raised_signal, SIGSEGV},
        {"SIGFPE", Failure::raised_signal, SIGFPE},
        {"SIGBUS", Failure::raised_signal, SIGBUS},
        {"SIGILL", Failure::raised_signal, SIGILL},
        {"app_main returned", Failure::plain_return, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        script_host_reset();
        application().saves = 0;
        std::remove("mepu.erf");
        run(c.failure, c.signal_number);
        EXPECT_EQ(report(), "total = 3\n12      7      45      ");
        EXPECT_EQ(script_host_messages(), guard_boxes());
        EXPECT_EQ(application().saves, 1);
    }
}

TEST_F(GuardTest, TheSaveDialogCancelledStillEndsTheThread) {
    // The test's save_animation stands for the editor's; a cancelled dialog is its business, and
    // the thread ends either way: run() has waited for exactly that.
    run(Failure::exception);
    EXPECT_EQ(application().saves, 1);
    EXPECT_TRUE(app_gate_wait_stopped(0));
}

// The current folder refuses the report (mepu.erf is a folder there: fopen fails even for root).
TEST_F(GuardTest, AReportTheCurrentFolderRefusesGoesToTheConfigurationFolder) {
    ASSERT_EQ(mkdir("mepu.erf", 0755), 0);
    const std::string elsewhere = folder_ + "/config/mepu/mepu.erf";
    for (const Failure failure :
         {Failure::exception, Failure::segmentation_fault, Failure::plain_return}) {
        SCOPED_TRACE(int(failure));
        script_host_reset();
        application().saves = 0;
        std::remove(elsewhere.c_str());
        run(failure);
        EXPECT_EQ(report(elsewhere), "total = 3\n12      7      45      ");
        EXPECT_EQ(script_host_messages(), guard_boxes(elsewhere));
        EXPECT_EQ(application().saves, 1);
    }
}

TEST_F(GuardTest, WithNoPlaceForTheReportTheSaveIsStillOffered) {
    ASSERT_EQ(mkdir("mepu.erf", 0755), 0);
    ASSERT_TRUE(std::filesystem::create_directories(folder_ + "/config/mepu/mepu.erf"));
    run(Failure::exception);
    const std::vector<std::string> boxes = guard_boxes();
    EXPECT_EQ(script_host_messages(), (std::vector<std::string>{boxes[0], boxes[2]}));
    EXPECT_EQ(application().saves, 1);
}

TEST_F(GuardTest, AReportThatCannotBeWrittenIsNotAnnouncedButTheSaveIsStillOffered) {
    ASSERT_EQ(symlink("/dev/full", "mepu.erf"), 0);  // opens, but every write fails: a full disk
    run(Failure::exception);
    const std::vector<std::string> boxes = guard_boxes();
    EXPECT_EQ(script_host_messages(), (std::vector<std::string>{boxes[0], boxes[2]}));
    EXPECT_EQ(application().saves, 1);
}

TEST_F(GuardTest, CrashSignalsOnOtherThreadsAreNotCaught) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    run(Failure::plain_return);  // the handlers are in place from here on
    for (int signal_number : {SIGSEGV, SIGFPE, SIGBUS, SIGILL}) {
        EXPECT_DEATH(
            {
                run(Failure::plain_return);
                std::raise(signal_number);
                std::fprintf(stderr, "survived\n");
                std::_Exit(0);
            },
            "")
            << signal_number;
    }
}

TEST_F(GuardTest, PauseHoldsTheThreadAndEndStopsItForGood) {
    application().failure = Failure::poll_for_ever;
    ASSERT_TRUE(start_app_thread());
    auto wait_for_polls = [](long beyond) {
        for (int i = 0; i < 2000 && application().polls <= beyond; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return application().polls > beyond;
    };
    ASSERT_TRUE(wait_for_polls(100));

    app_gate_pause();
    ASSERT_TRUE(app_gate_wait_held(2000));
    const long held = application().polls;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(application().polls, held);

    app_gate_resume();
    EXPECT_TRUE(wait_for_polls(held));

    app_gate_end();
    ASSERT_TRUE(app_gate_wait_stopped(2000));
    const long stopped = application().polls;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(application().polls, stopped);
    EXPECT_FALSE(app_gate_wait_finished(0));  // stopped, not failed: the guard did not run
    EXPECT_TRUE(script_host_messages().empty());
}

TEST(AppGate, OtherThreadsPassFreely) {
    app_gate_reset();
    app_gate_pause();
    app_gate_pass();  // this thread is not the application thread
    app_gate_end();
    app_gate_pass();
    EXPECT_TRUE(app_gate_wait_stopped(0));  // no application thread was ever started
    app_gate_reset();
}

TEST(AppGate, AnEndAskedBeforeTheThreadStartsStillStopsIt) {
    app_gate_reset();
    app_gate_end();
    std::atomic<bool> ran_past_the_gate{false};
    std::thread app([&] {
        app_gate_bind_current_thread();
        app_gate_pass();  // parks for good
        ran_past_the_gate = true;
    });
    EXPECT_TRUE(app_gate_wait_stopped(2000));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_FALSE(ran_past_the_gate);
    app.detach();
    app_gate_reset();
}
}  // namespace
