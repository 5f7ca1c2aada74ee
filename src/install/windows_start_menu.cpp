#include "install/windows_start_menu.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "install/file_ops.h"

namespace {

const CLSID kShellLinkClass = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kShellLinkA = {
    0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kPersistFile = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Releases what was obtained, whichever step failed.
struct ComSession {
    bool initialised = false;
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    ~ComSession() {
        if (file) file->Release();
        if (link) link->Release();
        if (initialised) CoUninitialize();
    }
};

bool save_shell_link(const std::string& target, const std::string& shortcut) {
    ComSession com;
    if (CoInitialize(nullptr) != S_OK) return false;
    com.initialised = true;
    if (FAILED(CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, kShellLinkA,
                                reinterpret_cast<void**>(&com.link))))
        return false;
    if (FAILED(com.link->QueryInterface(kPersistFile, reinterpret_cast<void**>(&com.file))))
        return false;
    if (FAILED(com.link->SetPath(target.c_str()))) return false;
    WCHAR wide[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, wide, MAX_PATH) == 0) return false;
    return SUCCEEDED(com.file->Save(wide, TRUE));
}

}  // namespace

std::string WindowsStartMenu::group_folder(const std::string& group_name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    char value[MAX_PATH] = {};
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    const LONG read =
        RegQueryValueExA(key, "Start Menu", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
    value[sizeof value - 1] = '\0';
    const std::string folder = std::string(value) + "\\ﾌﾟﾛｸﾞﾗﾑ\\" + group_name;
    // The programs folder under this name may be missing on a newer system: make it too.
    make_folders(folder);
    return folder + "\\";
}

bool WindowsStartMenu::create_shortcut(const std::string& target, const std::string& folder,
                                       const std::string& app_name) {
    return save_shell_link(target, folder + app_name + ".lnk");
}
