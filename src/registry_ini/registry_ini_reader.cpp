#include "registry_ini/registry_ini_reader.h"

#include <fstream>

namespace {

// "[key]" gives key; other lines give false.
bool section_of(const std::string& line, std::string* key) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
    *key = line.substr(1, line.size() - 2);
    return true;
}

}  // namespace

bool registry_names_equal(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::vector<std::string> read_registry_ini_lines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        // Every CR goes, not just one: the store rewrites the file with bare line ends, and a line
        // must mean the same when it is read back.
        while (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool registry_ini_entry(const std::string& line, std::string* name, std::string* value) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos || line[0] == '[') return false;
    *name = line.substr(0, equals);
    *value = line.substr(equals + 1);
    return true;
}

RegistryIniLocation locate_registry_ini_value(const std::vector<std::string>& lines,
                                              const std::string& key, const std::string& name) {
    RegistryIniLocation where;
    bool inside = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string section;
        if (section_of(lines[i], &section)) {
            inside = registry_names_equal(section, key);
            if (inside && !where.section_found) {
                where.section_found = true;
                where.section_end = i + 1;
            }
            continue;
        }
        if (!inside) continue;
        std::string entry_name, entry_value;
        if (registry_ini_entry(lines[i], &entry_name, &entry_value) && !where.entry_found &&
            registry_names_equal(entry_name, name)) {
            where.entry_found = true;
            where.entry = i;
        }
        // Blank lines at a section's end belong to the gap before the next one.
        if (!lines[i].empty()) where.section_end = i + 1;
    }
    return where;
}

bool read_registry_ini_value(const std::string& path, const std::string& key,
                             const std::string& name, std::string* value) {
    const std::vector<std::string> lines = read_registry_ini_lines(path);
    const RegistryIniLocation where = locate_registry_ini_value(lines, key, name);
    if (!where.entry_found) return false;
    std::string ignored_name;
    return registry_ini_entry(lines[where.entry], &ignored_name, value);
}
