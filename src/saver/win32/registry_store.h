// The saver's settings in the current user's registry hive.
#pragma once

#include "saver/core/settings_store.h"

class RegistryStore : public SettingsStore {
public:
    bool key_exists(const char* key) override;
    bool read_string(const char* key, const char* name, size_t buffer_size,
                     std::string* value) override;
    bool read_number(const char* key, const char* name, uint32_t* value) override;
    bool write_string(const char* key, const char* name, const std::string& value) override;
};
