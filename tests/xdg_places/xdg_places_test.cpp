// The base folders: what every Linux program of the kit agrees on for its files.
#include <gtest/gtest.h>

#include "xdg_places/xdg_places.h"

namespace {

TEST(XdgBaseFolder, AnAbsoluteValueCountsElseTheDefaultUnderHome) {
    struct Case {
        const char* value;
        const char* home;
        std::string expected;
    };
    const Case cases[] = {
        {"/cfg", "/home/u", "/cfg"},
        {nullptr, "/home/u", "/home/u/.config"},
        {"", "/home/u", "/home/u/.config"},
        // A relative value is not taken, or each program would find it under another folder.
        {"cfg", "/home/u", "/home/u/.config"},
        {"./cfg", "/home/u", "/home/u/.config"},
        {"/cfg", nullptr, "/cfg"},
        {nullptr, nullptr, ""},
        {"cfg", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.value ? c.value : "(unset)") + " / " +
                     (c.home ? c.home : "(unset)"));
        EXPECT_EQ(xdg_config_home(c.value, c.home), c.expected);
    }
}

}  // namespace
