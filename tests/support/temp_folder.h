// Fresh folders under the system's temporary folder (TMPDIR), each with a name no other test or
// build uses at the same time, removed with everything in them whether the test passed or failed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace test_support {

class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "mepu-test") {
        // create_directory reports whether it made the folder, so a name already taken by a
        // parallel run is never shared.
        std::random_device random;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        do {
            path_ = base / (prefix + "-" + std::to_string(random()) + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempFolder() {
        if (path_.empty()) return;
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(TempFolder&& other) noexcept : path_(std::exchange(other.path_, {})) {}
    TempFolder& operator=(TempFolder&&) = delete;
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder with a trailing separator, as the configuration file names it.
    std::string folder() const { return (path_ / "").string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            found.push_back(entry.path().filename().string());
        }
        return found;
    }

private:
    std::filesystem::path path_;
};

// This test program's own temporary folder, with a trailing separator: made at first use and
// removed when the program ends. CTest runs each test in a program of its own.
inline const std::string& temp_dir() {
    static const TempFolder folder;
    static const std::string name = folder.folder();
    return name;
}

// The whole file; empty when it cannot be read. A path given as a string is opened as the
// programs under test open theirs (on Windows in the ANSI code page, where a std::filesystem::path
// would take it for UTF-8).
inline std::vector<uint8_t> read_stream(std::ifstream& in) {
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}
inline std::vector<uint8_t> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return read_stream(in);
}
inline std::vector<uint8_t> read_file(const char* path) { return read_file(std::string(path)); }
inline std::vector<uint8_t> read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return read_stream(in);
}

// The whole file as text; empty when it cannot be read.
template <class Path>
std::string read_text(const Path& path) {
    const std::vector<uint8_t> bytes = read_file(path);
    return std::string(bytes.begin(), bytes.end());
}

inline void write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace test_support
