#include "host/common/command_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/common/crash_report.h"
#include "host/host.h"

namespace {
// Records every size asked for; fails once `refuse_from` bytes or more are asked for.
struct AllocationLog {
    std::vector<std::size_t> sizes;
    std::size_t refuse_from = SIZE_MAX;
};

AllocationLog& allocations() {
    static AllocationLog log;
    return log;
}

void* recording_realloc(void* block, std::size_t bytes) {
    allocations().sizes.push_back(bytes);
    if (bytes >= allocations().refuse_from) return nullptr;
    return std::realloc(block, bytes);
}

class CommandLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        allocations() = AllocationLog();
        release_command_log();
        command_log().reallocate = recording_realloc;
    }
    void TearDown() override {
        release_command_log();
        command_log().reallocate = std::realloc;
    }
};

std::string report_of(const CommandLog& log) {
    std::FILE* file = std::tmpfile();
    EXPECT_NE(file, nullptr);
    EXPECT_TRUE(write_crash_report(file, log));
    std::string bytes(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    EXPECT_EQ(std::fread(bytes.data(), 1, bytes.size(), file), bytes.size());
    std::fclose(file);
    return bytes;
}

TEST_F(CommandLogTest, KeepsTheLowEightBitsInOrder) {
    for (int code : {12, 7, 45, 256 + 3, -1}) log_command(code);
    const CommandLog& log = command_log();
    ASSERT_EQ(log.count, 5);
    EXPECT_EQ(std::vector<uint8_t>(log.codes, log.codes + log.count),
              (std::vector<uint8_t>{12, 7, 45, 3, 255}));
}

TEST_F(CommandLogTest, GrowsInStepsOf16384) {
    for (int i = 0; i < 16385; ++i) log_command(i);
    EXPECT_EQ(allocations().sizes, (std::vector<std::size_t>{16384, 32768}));
    EXPECT_EQ(command_log().count, 16385);
    EXPECT_EQ(command_log().capacity, 32768);
    EXPECT_EQ(command_log().codes[16384], 16384 & 0xFF);
}

TEST_F(CommandLogTest, DropsCodesWhenItCannotGrow) {
    allocations().refuse_from = 32768;
    for (int i = 0; i < 16384 + 10; ++i) log_command(7);
    EXPECT_EQ(command_log().count, 16384);
    EXPECT_EQ(command_log().capacity, 16384);
    // Growth is tried again for each later code, and what was stored stays.
    EXPECT_EQ(allocations().sizes.size(), 11u);
    EXPECT_EQ(command_log().codes[16383], 7);
}

TEST_F(CommandLogTest, ReportBytesAreExact) {
    EXPECT_EQ(report_of(command_log()), "total = 0\n");
    for (int code : {12, 7, 45}) log_command(code);
    EXPECT_EQ(report_of(command_log()), "total = 3\n12      7      45      ");
    log_command(255);
    log_command(0);
    EXPECT_EQ(report_of(command_log()), "total = 5\n12      7      45      255      0      ");
}

TEST_F(CommandLogTest, ReleaseEmptiesTheLog) {
    log_command(1);
    release_command_log();
    EXPECT_EQ(command_log().codes, nullptr);
    EXPECT_EQ(command_log().count, 0);
    EXPECT_EQ(command_log().capacity, 0);
    log_command(2);
    EXPECT_EQ(command_log().count, 1);
}
}  // namespace
