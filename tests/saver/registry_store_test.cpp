// The saver's registry settings in the current user's hive of the Windows build (run under Wine).
#include "saver/win32/registry_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "saver/core/saver_settings.h"

namespace {

// Removes the saver's key for the test and puts back the path that was stored before.
class SaverKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        had_path_ =
            store_.read_string(SAVER_SETTINGS_KEY, VALUE_LOAD_FILE, LOAD_FILE_BUFFER, &saved_path_);
        RegDeleteKeyA(HKEY_CURRENT_USER, SAVER_SETTINGS_KEY);
    }
    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, SAVER_SETTINGS_KEY);
        if (had_path_) store_.write_string(SAVER_SETTINGS_KEY, VALUE_LOAD_FILE, saved_path_);
    }
    RegistryStore store_;
    bool had_path_ = false;
    std::string saved_path_;
};

TEST_F(SaverKeyTest, ReadingTheLoadFileCreatesItsKey) {
    ASSERT_FALSE(store_.key_exists(SAVER_SETTINGS_KEY));
    EXPECT_EQ(read_load_file(store_), "");
    EXPECT_TRUE(store_.key_exists(SAVER_SETTINGS_KEY));
}

TEST_F(SaverKeyTest, TheLoadFileReadsBackAsWritten) {
    const std::string path = "C:\\アニメ\\walk.mpa";
    ASSERT_TRUE(write_load_file(store_, path));
    EXPECT_EQ(read_load_file(store_), path);
}

// The desktop's key is only opened: reading a value under a missing key of the same kind leaves
// no key behind.
TEST_F(SaverKeyTest, OtherKeysAreNotCreatedByReading) {
    const char* missing = "Software\\tarvolo\\MepuScreenSaverMissing";
    RegDeleteKeyA(HKEY_CURRENT_USER, missing);
    std::string value;
    EXPECT_FALSE(store_.read_string(missing, VALUE_PASSWORD, PASSWORD_BUFFER, &value));
    EXPECT_FALSE(store_.key_exists(missing));
}

}  // namespace
