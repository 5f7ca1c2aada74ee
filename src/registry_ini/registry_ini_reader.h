// Reading registry.ini: one [section] per registry key path (backslashes kept), one name=value
// line per value. Key and value names compare without regard to ASCII case, as registry names
// do; where a name is there twice, the first one counts.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The file's lines without their line ends; none when the file cannot be read.
std::vector<std::string> read_registry_ini_lines(const std::string& path);

struct RegistryIniLocation {
    bool section_found = false;
    size_t section_end = 0;  // where a new value of the key goes: after its last non-blank line
    bool entry_found = false;
    size_t entry = 0;  // index of the value's line
};

// Where value `name` of key `key` is, or would go. An empty name finds only the key.
RegistryIniLocation locate_registry_ini_value(const std::vector<std::string>& lines,
                                              const std::string& key, const std::string& name);

// Splits a value line; false for a section line or a line without "=".
bool registry_ini_entry(const std::string& line, std::string* name, std::string* value);

// The value's text; false when the file, the key or the value is missing.
bool read_registry_ini_value(const std::string& path, const std::string& key,
                             const std::string& name, std::string* value);

bool registry_names_equal(const std::string& a, const std::string& b);
