#include "install/script_names_utf8.h"
#include "support/text.h"

#include <gtest/gtest.h>

namespace {

using test_support::utf8;

TEST(DecodeScriptNames, NamesBecomeUtf8AndTextsStayShiftJis) {
    // The literals here are Shift-JIS bytes, as the script's are.
    InstallScript script;
    script.destination = "めぷ";
    script.ini_file = "mepusys.ini";
    script.group_name = "表示ソフト";  // second bytes 0x5C: not a separator, not a yen sign
    script.install_files = {"mepu", "画像\\表.dib"};
    script.link_targets = {"mepu"};
    script.app_names = {"めぷ", "めぷBMP変換"};
    script.title = "めぷインストール";
    script.message = "メッセージ";
    ASSERT_EQ(decode_script_names(&script), "");
    EXPECT_EQ(script.destination, utf8(u8"めぷ"));
    EXPECT_EQ(script.ini_file, "mepusys.ini");
    EXPECT_EQ(script.group_name, utf8(u8"表示ソフト"));
    EXPECT_EQ(script.install_files, (std::vector<std::string>{"mepu", utf8(u8"画像\\表.dib")}));
    EXPECT_EQ(script.link_targets, (std::vector<std::string>{"mepu"}));
    EXPECT_EQ(script.app_names, (std::vector<std::string>{utf8(u8"めぷ"), utf8(u8"めぷBMP変換")}));
    EXPECT_EQ(script.title, std::string("めぷインストール"));
    EXPECT_EQ(script.message, std::string("メッセージ"));
}

TEST(DecodeScriptNames, BytesThatAreNotShiftJisAreRefused) {
    struct Case {
        void (*damage)(InstallScript*);
        const char* why;
    };
    const Case cases[] = {
        {[](InstallScript* s) { s->destination = "mepu\x81"; }, "#InstallDest is not Shift-JIS"},
        {[](InstallScript* s) { s->group_name = "\xff"; }, "#GroupName is not Shift-JIS"},
        {[](InstallScript* s) {
             s->install_files = {"ok", "bad\x82"};
         },
         "#InstallFiles is not Shift-JIS"},
        {[](InstallScript* s) { s->app_names = {"\x81\x20"}; }, "#Appname is not Shift-JIS"},
    };
    for (const Case& c : cases) {
        InstallScript script;
        c.damage(&script);
        EXPECT_EQ(decode_script_names(&script), c.why);
    }
}

}  // namespace
