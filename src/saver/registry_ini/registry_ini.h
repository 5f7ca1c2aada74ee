// Registry values kept in a text file where there is no registry: one [section] per key path
// (backslashes kept), one name=value line per value, 32-bit numbers in decimal. Key and value
// names compare without regard to ASCII case, as registry names do. Lines the store does not
// understand are kept as they are when it writes.
#pragma once

#include "saver/core/settings_store.h"

#include <string>
#include <vector>

class RegistryIniStore : public SettingsStore {
public:
    // `always_present` lists keys that exist on every system (they are opened, never created,
    // and a fresh file has no section for them).
    RegistryIniStore(std::string path, std::vector<std::string> always_present = {});

    bool key_exists(const char* key) override;
    bool read_string(const char* key, const char* name, size_t buffer_size,
                     std::string* value) override;
    bool read_number(const char* key, const char* name, uint32_t* value) override;
    // Replaces the file whole, so a failed write leaves the old one; it is readable by its owner
    // only.
    bool write_string(const char* key, const char* name, const std::string& value) override;

    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::vector<std::string> always_present_;
};

// $XDG_CONFIG_HOME/mepu/registry.ini, or ~/.config/mepu/registry.ini.
std::string default_registry_ini_path();
