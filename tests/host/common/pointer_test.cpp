#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include "host/common/app_gate.h"
#include "host/common/pointer_polling.h"
#include "host/common/pointer_state.h"
#include "host/host.h"

// A backend whose pointer and client area the tests set; before each reading it may run one
// scheduled event, as the GUI thread would between two polls, and another one right after it.
namespace {
struct FakeBackend {
    int screen_x = 0, screen_y = 0;
    int left = 0, top = 0, width = 320, height = 240;
    std::vector<std::function<void()>> before_reading;  // one per reading, then nothing
    std::vector<std::function<void()>> after_reading;   // likewise, right after the flags are read
    int readings = 0;
};

FakeBackend& fake() {
    static FakeBackend backend;
    return backend;
}
}  // namespace

void read_pointer_screen(int* x, int* y, int* right, int* left) {
    FakeBackend& b = fake();
    if (b.readings < static_cast<int>(b.before_reading.size())) b.before_reading[b.readings]();
    ++b.readings;
    *x = b.screen_x;
    *y = b.screen_y;
    pointer_poll_buttons(right, left);
    if (b.readings <= static_cast<int>(b.after_reading.size())) b.after_reading[b.readings - 1]();
}

void get_client_geometry(int* left, int* top, int* width, int* height) {
    *left = fake().left;
    *top = fake().top;
    *width = fake().width;
    *height = fake().height;
}

namespace {
class PointerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake() = FakeBackend();
        pointer_reset();
        app_gate_reset();
    }
};

void quick_click(PointerButton button) {
    pointer_button_down(button);
    pointer_button_up(button, 0, 0);
}

TEST(CanvasFromClient, ScalesAndTruncatesTowardZero) {
    struct Case {
        int screen_x, screen_y, left, top, width, height;
        int x, y;
    } cases[] = {
        {0, 0, 0, 0, 320, 240, 0, 0},
        {319, 239, 0, 0, 320, 240, 319, 239},  // 1x: the client pixel is the canvas pixel
        {100 + 639, 50 + 479, 100, 50, 640, 480, 319, 239},  // 2x
        {100 + 1, 50 + 1, 100, 50, 640, 480, 0, 0},
        {99, 49, 100, 50, 320, 240, -1, -1},      // one pixel left of / above at 1x
        {99, 49, 100, 50, 640, 480, 0, 0},        // -320 / 640 truncates to 0 at 2x
        {98, 48, 100, 50, 640, 480, -1, -1},      // two pixels left at 2x
        {420, 290, 100, 50, 320, 240, 320, 240},  // not clamped on the far side
        {500, 400, 100, 50, 0, 240, 0, 0},        // minimised: (0, 0)
        {500, 400, 100, 50, 320, 0, 0, 0},
        {-2000000000, 2000000000, 0, 0, 320, 240, -2000000000, 2000000000},  // no overflow
        {160, 120, 0, 0, 400, 300, 128, 96},                                 // uneven stretch
    };
    for (const Case& c : cases) {
        int x = 7, y = 7;
        canvas_from_client(c.screen_x, c.screen_y, c.left, c.top, c.width, c.height, &x, &y);
        EXPECT_EQ(x, c.x) << c.screen_x << "," << c.screen_y << " in " << c.width << "x"
                          << c.height;
        EXPECT_EQ(y, c.y) << c.screen_x << "," << c.screen_y << " in " << c.width << "x"
                          << c.height;
    }
}

TEST_F(PointerTest, ReadPointerConvertsAndLeavesTheFlags) {
    fake().left = 10;
    fake().top = 20;
    fake().width = 640;
    fake().height = 480;
    fake().screen_x = 10 + 639;
    fake().screen_y = 20 + 479;
    pointer_button_down(PointerButton::left);
    int x, y, right, left;
    for (int i = 0; i < 2; ++i) {
        read_pointer(&x, &y, &right, &left);
        EXPECT_EQ(x, 319);
        EXPECT_EQ(y, 239);
        EXPECT_EQ(right, 0);
        EXPECT_EQ(left, 1);
    }
}

TEST_F(PointerTest, TakePointerReportsEachPressOnce) {
    pointer_button_down(PointerButton::left);
    pointer_button_down(PointerButton::right);
    int x, y, right, left;
    take_pointer(&x, &y, &right, &left);
    EXPECT_EQ(right, 1);
    EXPECT_EQ(left, 1);
    // Still physically held, but already taken.
    read_pointer(&x, &y, &right, &left);
    EXPECT_EQ(right, 0);
    EXPECT_EQ(left, 0);
    pointer_button_down(PointerButton::left);
    take_pointer(&x, &y, &right, &left);
    EXPECT_EQ(right, 0);
    EXPECT_EQ(left, 1);
}

// Press and release both between two polls, as a quick click or a touchpad tap delivers them.
TEST_F(PointerTest, QuickClickIsSeenByOnePollThenReleased) {
    struct Case {
        const char* name;
        PointerButton button;
        bool take;  // the poll that sees it is take_pointer rather than read_pointer
    } cases[] = {
        {"left, read", PointerButton::left, false},
        {"right, read", PointerButton::right, false},
        {"left, take", PointerButton::left, true},
        {"right, take", PointerButton::right, true},
    };
    for (const Case& c : cases) {
        pointer_reset();
        int x, y, right, left;
        read_pointer(&x, &y, &right, &left);
        pointer_button_down(c.button);
        pointer_button_up(c.button, 5, 6);
        int button;
        get_last_release(&x, &y, &button);
        EXPECT_EQ(x, 5) << c.name;  // the release is recorded when it happens
        EXPECT_EQ(y, 6) << c.name;
        EXPECT_EQ(button, static_cast<int>(c.button)) << c.name;

        (c.take ? take_pointer : read_pointer)(&x, &y, &right, &left);
        const int seen = c.button == PointerButton::left ? left : right;
        const int other = c.button == PointerButton::left ? right : left;
        EXPECT_EQ(seen, 1) << c.name;
        EXPECT_EQ(other, 0) << c.name;
        for (int later = 0; later < 2; ++later) {
            read_pointer(&x, &y, &right, &left);
            EXPECT_EQ(left + right, 0) << c.name << ": the click is reported once";
        }
    }
}

// A loop that also reads the pointer for its position alone (the pen reads the window position
// with read_pointer_screen after each read_pointer): a quick click between any two readings
// reaches the read that acts on it, exactly once.
TEST_F(PointerTest, QuickClickReachesTheActingReadWhereverItFallsAmongTheReadings) {
    for (const PointerButton button : {PointerButton::right, PointerButton::left}) {
        for (int reading = 0; reading < 4; ++reading) {
            fake() = FakeBackend();
            pointer_reset();
            fake().before_reading.assign(4, [] {});
            fake().before_reading[reading] = [button] { quick_click(button); };
            int seen = 0;
            int peeked = 0;
            for (int round = 0; round < 3; ++round) {
                int x, y, right, left;
                read_pointer(&x, &y, &right, &left);
                seen += button == PointerButton::right ? right : left;
                read_pointer_screen(&x, &y, &right, &left);
                peeked += button == PointerButton::right ? right : left;
            }
            EXPECT_EQ(seen, 1) << "click before reading " << reading;
            // The position-only reading shows the click when it comes first, but spends nothing.
            EXPECT_EQ(peeked, reading % 2 == 1 ? 1 : 0) << "click before reading " << reading;
        }
    }
}

// Clicks that came while the editor could not act on them (a modal dialog or box was open, or the
// application was paused) - in the text window, on the dialog's owner, or held from before - must
// not act afterwards on whatever is then under the pointer.
TEST_F(PointerTest, ClicksOfADialogOrAPauseAreForgottenWhenItEnds) {
    struct Case {
        const char* name;
        bool pause;       // the host's pause rather than a dialog
        bool before;      // the click came just before it opened, unread
        bool still_held;  // the button is still down when it closes
    } cases[] = {
        {"quick click during a dialog", false, false, false},
        {"press held through a dialog", false, false, true},
        {"unread click from before a dialog", false, true, false},
        {"quick click during a pause", true, false, false},
        {"press held through a pause", true, false, true},
    };
    for (const Case& c : cases) {
        for (const PointerButton button : {PointerButton::right, PointerButton::left}) {
            pointer_reset();
            if (c.before) quick_click(button);
            if (c.pause) app_gate_pause();
            {
                std::optional<ClicksOfDialogForgotten> dialog;
                if (!c.pause) dialog.emplace();
                if (!c.before) pointer_button_down(button);
                if (!c.before && !c.still_held) pointer_button_up(button, 0, 0);
            }
            if (c.pause) app_gate_resume();
            int x, y, right, left;
            read_pointer(&x, &y, &right, &left);
            EXPECT_EQ(right + left, 0) << c.name;
            if (c.still_held) pointer_button_up(button, 0, 0);
            read_pointer(&x, &y, &right, &left);
            EXPECT_EQ(right + left, 0) << c.name;
            // The next click counts again.
            quick_click(button);
            read_pointer(&x, &y, &right, &left);
            EXPECT_EQ(button == PointerButton::right ? right : left, 1) << c.name;
        }
    }
}

TEST_F(PointerTest, HeldPressIsReleasedAtOnceOnceAPollHasSeenIt) {
    int x, y, right, left;
    pointer_button_down(PointerButton::left);
    read_pointer(&x, &y, &right, &left);
    EXPECT_EQ(left, 1);
    pointer_button_up(PointerButton::left, 1, 2);
    read_pointer(&x, &y, &right, &left);
    EXPECT_EQ(left, 0);
}

TEST_F(PointerTest, TwoQuickClicksBetweenPollsAreSeenAsOnePress) {
    int x, y, right, left;
    for (int i = 0; i < 2; ++i) {
        pointer_button_down(PointerButton::left);
        pointer_button_up(PointerButton::left, 10 + i, 20);
    }
    int button;
    get_last_release(&x, &y, &button);
    EXPECT_EQ(x, 11);
    read_pointer(&x, &y, &right, &left);
    EXPECT_EQ(left, 1);
    read_pointer(&x, &y, &right, &left);
    EXPECT_EQ(left, 0);
}

TEST_F(PointerTest, PressBetweenTakesReadingAndItsClearIsKept) {
    pointer_button_down(PointerButton::left);
    // The GUI thread records a release and a new press after take_pointer has read the flags but
    // before it clears the one it read.
    fake().after_reading = {[] {
        pointer_button_up(PointerButton::left, 0, 0);
        pointer_button_down(PointerButton::left);
    }};
    int x, y, right, left;
    take_pointer(&x, &y, &right, &left);
    EXPECT_EQ(left, 1);
    take_pointer(&x, &y, &right, &left);
    EXPECT_EQ(left, 1) << "the second press is reported too";
    read_pointer(&x, &y, &right, &left);
    EXPECT_EQ(left, 0);
}

TEST_F(PointerTest, WaitClickWaitsForTheButtonsToBeFreeThenForAPress) {
    pointer_button_down(PointerButton::right);  // still held from before: must be let go first
    fake().screen_x = 33;
    fake().screen_y = 44;
    fake().left = 1000;  // wait_click answers in screen coordinates
    fake().before_reading = {
        [] {}, [] { pointer_button_up(PointerButton::right, 0, 0); }, [] {},
        [] {}, [] { pointer_button_down(PointerButton::left); },
    };
    int x, y, right, left;
    wait_click(&x, &y, &right, &left);
    EXPECT_EQ(fake().readings, 5);
    EXPECT_EQ(x, 33);
    EXPECT_EQ(y, 44);
    EXPECT_EQ(right, 0);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(pointer_state().left.held(), 1);  // wait_click clears nothing
}

TEST_F(PointerTest, ReleasesRecordTheLowWordsAndTheButton) {
    int x, y, button;
    get_last_release(&x, &y, &button);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(button, 2);
    struct Case {
        PointerButton button;
        int x, y;
        int stored_x, stored_y, code;
    } cases[] = {
        {PointerButton::right, 100, 200, 100, 200, 1},
        {PointerButton::left, 639, 479, 639, 479, 2},
        {PointerButton::left, -1, -2, 65535, 65534, 2},  // captured release left of the window
        {PointerButton::right, 70000, 65536, 70000 - 65536, 0, 1},
    };
    for (const Case& c : cases) {
        pointer_button_down(c.button);
        pointer_button_up(c.button, c.x, c.y);
        get_last_release(&x, &y, &button);
        EXPECT_EQ(x, c.stored_x);
        EXPECT_EQ(y, c.stored_y);
        EXPECT_EQ(button, c.code);
        int right, left;
        read_pointer(&x, &y, &right, &left);  // the press is reported, so its release applies
        EXPECT_EQ(pointer_state().left.held() + pointer_state().right.held(), 0);
    }
}
}  // namespace
