// The password rules and the settings operation.
#include "saver/core/saver_settings.h"

#include "saver/core/saver_program.h"
#include "saver/core/saver_texts.h"

#include "fake_saver_platform.h"

#include <gtest/gtest.h>

namespace {

TEST(PasswordCheck, ComparesExactly) {
    struct Case {
        const char* name;
        bool key;
        bool stored;
        std::string password;
        std::string typed;
        PasswordCheck result;
    } cases[] = {
        {"same text", true, true, "secret", "secret", PasswordCheck::ACCEPTED},
        {"case differs", true, true, "secret", "SECRET", PasswordCheck::WRONG},
        {"prefix only", true, true, "secret", "secre", PasswordCheck::WRONG},
        {"trailing blank", true, true, "secret", "secret ", PasswordCheck::WRONG},
        {"Shift-JIS text", true, true, "ﾊﾟｽ表", "ﾊﾟｽ表", PasswordCheck::ACCEPTED},
        {"empty stored, empty typed", true, true, "", "", PasswordCheck::ACCEPTED},
        {"nothing stored, empty typed", true, false, "", "", PasswordCheck::ACCEPTED},
        {"nothing stored, text typed", true, false, "", "x", PasswordCheck::WRONG},
        {"stored too long counts as empty", true, true, std::string(260, 'a'),
         std::string(260, 'a'), PasswordCheck::WRONG},
        {"no desktop key accepts anything", false, false, "", "whatever", PasswordCheck::ACCEPTED},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        if (c.key) store.keys[DESKTOP_KEY];
        if (c.stored) store.set_string(DESKTOP_KEY, VALUE_PASSWORD, c.password);
        EXPECT_EQ(check_password(store, c.typed), c.result) << c.name;
    }
}

TEST(PasswordChange, StoresOnlyMatchingEntriesUnderAnExistingKey) {
    struct Case {
        const char* name;
        bool key;
        std::string entry;
        std::string confirmation;
        PasswordChange result;
        bool writes_fail = false;
    } cases[] = {
        {"equal", true, "abc", "abc", PasswordChange::STORED},
        {"both empty", true, "", "", PasswordChange::STORED},
        {"case differs", true, "abc", "ABC", PasswordChange::MISMATCH},
        {"one empty", true, "abc", "", PasswordChange::MISMATCH},
        {"no desktop key", false, "abc", "abc", PasswordChange::NOT_STORED},
        {"the store refuses it", true, "abc", "abc", PasswordChange::WRITE_FAILED, true},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        if (c.key) store.set_string(DESKTOP_KEY, VALUE_PASSWORD, "old");
        store.writes_fail = c.writes_fail;
        EXPECT_EQ(change_password(store, c.entry, c.confirmation), c.result) << c.name;
        std::string stored;
        const bool has = store.read_string(DESKTOP_KEY, VALUE_PASSWORD, PASSWORD_BUFFER, &stored);
        EXPECT_EQ(has, c.key) << c.name;
        if (c.key) {
            EXPECT_EQ(stored, c.result == PasswordChange::STORED ? c.entry : "old") << c.name;
        }
        // The key is never created.
        EXPECT_EQ(store.key_exists(DESKTOP_KEY), c.key) << c.name;
    }
}

TEST(PasswordChange, ThenTheSamePasswordPassesTheCheck) {
    MemorySettingsStore store;
    store.keys[DESKTOP_KEY];
    ASSERT_EQ(change_password(store, "Neko2", "Neko2"), PasswordChange::STORED);
    EXPECT_EQ(check_password(store, "neko2"), PasswordCheck::WRONG);
    EXPECT_EQ(check_password(store, "Neko2"), PasswordCheck::ACCEPTED);
}

TEST(Settings, CancelWritesThePreviousPathBack) {
    struct Case {
        const char* name;
        bool stored;
        std::string before;
        bool cancel;
        std::string chosen;
        std::string after;
        bool writes_fail = false;
        bool told = false;
    } cases[] = {
        {"cancel with nothing stored", false, "", true, "", ""},
        {"cancel keeps the path", true, "/a/walk.mpa", true, "", "/a/walk.mpa"},
        {"choice replaces it", true, "/a/walk.mpa", false, "/b/run.mpa", "/b/run.mpa"},
        {"a path too long for the value is not stored", true, "/a/walk.mpa", false,
         std::string(1024, 'x'), "/a/walk.mpa"},
        {"the longest path that fits", false, "", false, std::string(1023, 'y'),
         std::string(1023, 'y')},
        {"a refused choice is told", true, "/a/walk.mpa", false, "/b/run.mpa", "/a/walk.mpa", true,
         true},
        {"a refused rewrite after cancel changes nothing", true, "/a/walk.mpa", true, "",
         "/a/walk.mpa", true, false},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        if (c.stored) store.set_string(SAVER_SETTINGS_KEY, VALUE_LOAD_FILE, c.before);
        store.writes_fail = c.writes_fail;
        FakeSaverFront front;
        front.cancel_file_dialog = c.cancel;
        front.chosen_file = c.chosen;
        FakeSaverPlatform platform;
        show_settings(front, platform, store, 31);
        ASSERT_EQ(platform.errors.size(), c.told ? 1u : 0u) << c.name;
        if (c.told) {
            EXPECT_EQ(platform.errors[0].text, TEXT_SETTINGS_NOT_STORED) << c.name;
        }
        ASSERT_EQ(front.initial_selections.size(), 1u);
        EXPECT_EQ(front.initial_selections[0], c.before) << c.name;
        EXPECT_EQ(front.settings_owners[0], 31) << c.name;
        std::string written;
        ASSERT_TRUE(store.read_string(SAVER_SETTINGS_KEY, VALUE_LOAD_FILE, 4096, &written))
            << c.name;
        EXPECT_EQ(written, c.after) << c.name;
    }
}

}  // namespace
