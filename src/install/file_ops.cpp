#include "install/file_ops.h"

#include "install/platform_files.h"

namespace {

bool is_separator(char c) { return c == '/' || c == '\\'; }

// Calls visit(i) for every separator position i, skipping the second bytes of two-byte
// characters.
template <typename Visit>
void for_each_separator(const std::string& path, Visit visit) {
    for (size_t i = 0; i < path.size(); ++i) {
        if (is_lead_byte(static_cast<unsigned char>(path[i])))
            ++i;
        else if (is_separator(path[i]))
            visit(i);
    }
}

}  // namespace

std::string parent_folder(const std::string& path) {
    size_t last = std::string::npos;
    for_each_separator(path, [&](size_t i) { last = i; });
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

void make_folders(const std::string& path) {
    for_each_separator(path, [&](size_t i) {
        if (i > 0) make_folder(path.substr(0, i));
    });
    make_folder(path);
}

bool install_file_copy(const std::string& source, const std::string& target) {
    // Copying a file onto itself would empty it, or fail.
    if (same_existing_file(source, target)) return true;
    return copy_file_replacing(source, target);
}
