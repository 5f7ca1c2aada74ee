#include "saver/registry_ini/registry_ini.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

namespace {

bool same_name(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::vector<std::string> read_lines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        // Every CR goes, not just one: the file is rewritten with bare line ends, and a line must
        // mean the same when it is read back.
        while (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// "[key]" gives key; other lines give false.
bool section_of(const std::string& line, std::string* key) {
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
    *key = line.substr(1, line.size() - 2);
    return true;
}

bool entry_of(const std::string& line, std::string* name, std::string* value) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos || line.empty() || line[0] == '[') return false;
    *name = line.substr(0, equals);
    *value = line.substr(equals + 1);
    return true;
}

struct Location {
    bool section_found = false;
    size_t section_end = 0;  // index after the section's last line
    bool entry_found = false;
    size_t entry = 0;
};

Location locate(const std::vector<std::string>& lines, const std::string& key,
                const std::string& name) {
    Location where;
    bool inside = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string section;
        if (section_of(lines[i], &section)) {
            inside = same_name(section, key);
            if (inside && !where.section_found) {
                where.section_found = true;
                where.section_end = i + 1;
            }
            continue;
        }
        if (!inside) continue;
        std::string entry_name, entry_value;
        if (entry_of(lines[i], &entry_name, &entry_value) && !where.entry_found &&
            same_name(entry_name, name)) {
            where.entry_found = true;
            where.entry = i;
        }
        // Blank lines at a section's end belong to the gap before the next one.
        if (!lines[i].empty()) where.section_end = i + 1;
    }
    return where;
}

}  // namespace

RegistryIniStore::RegistryIniStore(std::string path, std::vector<std::string> always_present)
    : path_(std::move(path)), always_present_(std::move(always_present)) {}

bool RegistryIniStore::key_exists(const char* key) {
    for (const std::string& present : always_present_) {
        if (same_name(present, key)) return true;
    }
    return locate(read_lines(path_), key, std::string()).section_found;
}

bool RegistryIniStore::find_value(const char* key, const char* name, std::string* value) {
    const std::vector<std::string> lines = read_lines(path_);
    const Location where = locate(lines, key, name);
    if (!where.entry_found) return false;
    std::string ignored_name;
    return entry_of(lines[where.entry], &ignored_name, value);
}

bool RegistryIniStore::read_string(const char* key, const char* name, size_t buffer_size,
                                   std::string* value) {
    std::string text;
    if (!find_value(key, name, &text) || text.size() + 1 > buffer_size) return false;
    *value = text;
    return true;
}

bool RegistryIniStore::read_number(const char* key, const char* name, uint32_t* value) {
    std::string text;
    if (!find_value(key, name, &text) || text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    errno = 0;
    const unsigned long long number = std::strtoull(text.c_str(), nullptr, 10);
    if (errno == ERANGE || number > 0xFFFFFFFFull) return false;
    *value = static_cast<uint32_t>(number);
    return true;
}

bool RegistryIniStore::write_string(const char* key, const char* name, const std::string& value) {
    // A line break would split the value into lines of its own.
    if (value.find_first_of("\r\n") != std::string::npos) return false;
    std::vector<std::string> lines = read_lines(path_);
    const Location where = locate(lines, key, name);
    const std::string line = std::string(name) + "=" + value;
    if (where.entry_found) {
        lines[where.entry] = line;
    } else if (where.section_found) {
        lines.insert(lines.begin() + std::ptrdiff_t(where.section_end), line);
    } else {
        if (!lines.empty() && !lines.back().empty()) lines.emplace_back();
        lines.push_back("[" + std::string(key) + "]");
        lines.push_back(line);
    }

    std::error_code error;
    const std::filesystem::path target(path_);
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);
    const std::string temporary = path_ + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const std::string& l : lines) out << l << '\n';
        out.flush();
        if (!out) {
            out.close();
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path_.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

std::string default_registry_ini_path() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (config != nullptr && config[0] == '/') {
        folder = config;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::string(home != nullptr ? home : ".") + "/.config";
    }
    return folder + "/mepu/registry.ini";
}
