#include "install/file_ops.h"

#include <cstdio>
#include <memory>

#include "file_replace/replace_file.h"
#include "install/make_folder.h"

namespace {

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

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

bool copy_file_bytes(const std::string& source, const std::string& target) {
    File in(std::fopen(source.c_str(), "rb"), std::fclose);
    if (!in) return false;
    // Read whole first, so a failed read never replaces a file of an earlier installation.
    std::string bytes;
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in.get())) > 0) bytes.append(buffer, got);
    if (std::ferror(in.get())) return false;
    return replace_file(target.c_str(), [&](FileOutput& out) { out.write(bytes); }).status ==
           ReplaceStatus::ok;
}
