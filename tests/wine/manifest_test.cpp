// Each program of the kit carries its application manifest as resource 1 of type RT_MANIFEST,
// read back from the built .exe as Windows reads it at start.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The manifest text of a program, or empty when it has none.
std::string manifest_of(const char* exe) {
    HMODULE module = LoadLibraryExA(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return std::string();
    std::string text;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    if (loaded != nullptr) {
        text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

TEST(ProgramManifests, EveryProgramDeclaresItsLevelCommonControlsWindowsVersionsAndDpiAwareness) {
    struct Case {
        const char* exe;
        const char* level;
    } cases[] = {
        {MEPU_EXE, "asInvoker"},
        {MEPUSAVER_SCR, "asInvoker"},
        {M2BMP_EXE, "asInvoker"},
        {INSTALL_EXE, "requireAdministrator"},
    };
    for (const Case& c : cases) {
        const std::string manifest = manifest_of(c.exe);
        ASSERT_FALSE(manifest.empty()) << c.exe << " has no manifest";
        EXPECT_NE(manifest.find(std::string("requestedExecutionLevel level=\"") + c.level + "\""),
                  std::string::npos)
            << c.exe;
        EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
                  std::string::npos)
            << c.exe;
        for (const char* os : {"e2011457-1546-43c5-a5fe-008deee3d3f0",   // Vista
                               "35138b9a-5d96-4fbd-8e2d-a2440225f93a",   // 7
                               "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",   // 8
                               "1f676c76-80e1-4239-95bb-83d0f6d0da78",   // 8.1
                               "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})  // 10 and 11
        {
            EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"{") + os + "}\"/>"),
                      std::string::npos)
                << c.exe << " " << os;
        }
        // Per-monitor v2 first, per-monitor where v2 is unknown; never the system-wide setting
        // that Windows stretches blurrily on a second monitor of another scale.
        EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos)
            << c.exe;
        EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos) << c.exe;
    }
}

}  // namespace
