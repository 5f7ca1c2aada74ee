#include "saver/registry_ini/registry_ini.h"

#include "file_replace/replace_file.h"
#include "registry_ini/registry_ini_reader.h"
#include "xdg_places/xdg_places.h"

#include <cerrno>
#include <filesystem>
#include <utility>

RegistryIniStore::RegistryIniStore(std::string path, std::vector<std::string> always_present)
    : path_(std::move(path)), always_present_(std::move(always_present)) {}

bool RegistryIniStore::key_exists(const char* key) {
    for (const std::string& present : always_present_) {
        if (registry_names_equal(present, key)) return true;
    }
    return locate_registry_ini_value(read_registry_ini_lines(path_), key, std::string())
        .section_found;
}

bool RegistryIniStore::read_string(const char* key, const char* name, size_t buffer_size,
                                   std::string* value) {
    std::string text;
    if (!read_registry_ini_value(path_, key, name, &text) || text.size() + 1 > buffer_size) {
        return false;
    }
    *value = text;
    return true;
}

bool RegistryIniStore::read_number(const char* key, const char* name, uint32_t* value) {
    std::string text;
    if (!read_registry_ini_value(path_, key, name, &text) || text.empty()) return false;
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
    std::vector<std::string> lines = read_registry_ini_lines(path_);
    const RegistryIniLocation where = locate_registry_ini_value(lines, key, name);
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
    // The file holds the password: private from its creation, and never opened to others.
    ReplaceOptions options;
    options.new_file_mode = 0600;
    options.withheld_mode = 0077;
    return replace_file(
               path_.c_str(),
               [&](FileOutput& out) {
                   for (const std::string& l : lines) out.write(l + '\n');
               },
               options)
               .status == ReplaceStatus::ok;
}

std::string default_registry_ini_path() {
    const std::string folder = mepu_config_folder();
    // Without a home folder the file stays below the program's current folder.
    return (folder.empty() ? mepu_folder_in(xdg_config_home(nullptr, ".")) : folder) +
           "/registry.ini";
}
