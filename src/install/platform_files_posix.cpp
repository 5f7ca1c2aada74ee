#include "install/platform_files.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool make_folder(const std::string& path) { return ::mkdir(path.c_str(), 0755) == 0; }

// Linux paths are UTF-8: no byte of a multi-byte character equals a separator.
bool is_lead_byte(unsigned char) { return false; }

bool copy_file_replacing(const std::string& source, const std::string& target) {
    std::error_code error;
    return fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
}

bool same_existing_file(const std::string& a, const std::string& b) {
    std::error_code error;  // a missing file is simply not the same
    return fs::equivalent(a, b, error);
}
