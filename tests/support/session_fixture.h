// The editor's session in-process on a fresh scripted host: a canvas and a fresh animation of one
// empty frame, released again after the test. Tests of the layers above derive from it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "editor/session/animation.h"
#include "host/host.h"
#include "host/script/script_host_testing.h"

namespace test_support {

class SessionFixture : public ::testing::Test {
protected:
    void SetUp() override {
        script_host_reset();
        animation_state().allocate = allocate_block;
        create_screen();
        ASSERT_EQ(init_animation(), 0);
    }
    void TearDown() override {
        release_animation();
        animation_state().allocate = allocate_block;
    }
};

// What the text window shows, without the empty rows below the last written one.
inline std::string shown_text(const std::string& window_text) {
    std::string text = window_text;
    while (text.size() >= 2 && text.ends_with("\n\n")) text.pop_back();
    return text == "\n" ? "" : text;
}

inline std::string shown_text() { return shown_text(script_host_text()); }

}  // namespace test_support
