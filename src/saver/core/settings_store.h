// The saver's stored settings: registry values on Windows, registry.ini on Linux.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr const char SAVER_SETTINGS_KEY[] = "Software\\tarvolo\\MepuScreenSaver";
inline constexpr const char DESKTOP_KEY[] = "Control Panel\\desktop";
inline constexpr const char VALUE_LOAD_FILE[] = "loadfile";
inline constexpr const char VALUE_USE_PASSWORD[] = "ScreenSaveUsePassword";
inline constexpr const char VALUE_PASSWORD[] = "ScreenSavePasswordString";

// Buffer sizes with the terminating zero, as the values are read.
inline constexpr size_t LOAD_FILE_BUFFER = 1024;
inline constexpr size_t PASSWORD_BUFFER = 260;

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Whether the key exists; a key that is only opened, never created, is tested with this.
    virtual bool key_exists(const char* key) = 0;
    // A string value that fits in `buffer_size` bytes with its terminator. False when the value
    // is missing, is not a string or is too long.
    virtual bool read_string(const char* key, const char* name, size_t buffer_size,
                             std::string* value) = 0;
    // False when the value is missing or not a 32-bit number.
    virtual bool read_number(const char* key, const char* name, uint32_t* value) = 0;
    // Creates the key when needed. False when the value could not be stored.
    virtual bool write_string(const char* key, const char* name, const std::string& value) = 0;
};
