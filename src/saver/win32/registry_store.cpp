#include "saver/win32/registry_store.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

// The saver's own key is created when it is read and does not exist yet; the desktop's key is
// only ever opened.
bool open_for_reading(const char* key, HKEY* handle) {
    if (std::strcmp(key, SAVER_SETTINGS_KEY) == 0) {
        return RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_READ, nullptr, handle, nullptr) == ERROR_SUCCESS;
    }
    return RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, handle) == ERROR_SUCCESS;
}

}  // namespace

bool RegistryStore::key_exists(const char* key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

bool RegistryStore::read_string(const char* key, const char* name, size_t buffer_size,
                                std::string* value) {
    HKEY handle = nullptr;
    if (!open_for_reading(key, &handle)) return false;
    std::vector<char> buffer(buffer_size + 1, '\0');
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(buffer_size);
    const LONG status = RegQueryValueExA(handle, name, nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer.data()), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS || type != REG_SZ || size > buffer_size) return false;
    // Stored with or without its terminator: the text ends at the first zero either way.
    buffer[size] = '\0';
    *value = buffer.data();
    return value->size() + 1 <= buffer_size;
}

bool RegistryStore::read_number(const char* key, const char* name, uint32_t* value) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof number;
    const LONG status =
        RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof number) return false;
    *value = number;
    return true;
}

bool RegistryStore::write_string(const char* key, const char* name, const std::string& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &handle, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    // The stated length leaves out the terminating zero, as these values have always been kept.
    const LONG status =
        RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size()));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}
