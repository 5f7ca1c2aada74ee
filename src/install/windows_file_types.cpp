#include "install/windows_file_types.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace {

const char* const CLASSES = "SOFTWARE\\Classes\\";

// Sets one value of a key below the classes, creating the key.
void set_class_value(const std::string& key_path, const char* name, DWORD type,
                     const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, (CLASSES + key_path).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    const DWORD size = type == REG_NONE ? 0 : static_cast<DWORD>(value.size() + 1);
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()), size);
    RegCloseKey(key);
}

}  // namespace

void WindowsFileTypes::register_editor(const std::string& destination) {
    const std::string prog_id = ANIMATION_PROG_ID;
    const std::string editor = "\"" + destination + "mepu.exe\"";
    set_class_value(prog_id, nullptr, REG_SZ, "めぷのアニメーション");
    set_class_value(prog_id + "\\DefaultIcon", nullptr, REG_SZ, editor + ",0");
    set_class_value(prog_id + "\\shell\\open\\command", nullptr, REG_SZ, editor + " \"%1\"");
    // Only a name in the extension's "Open with" list: its default value stays the audio
    // player's.
    set_class_value(".mpa\\OpenWithProgids", prog_id.c_str(), REG_NONE, std::string());
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}
