// A fresh desktop account below a new temporary folder: HOME and the XDG folders point into it
// while the object lives, and nothing of it exists yet.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

class DesktopAccount {
public:
    DesktopAccount()
        : root_(std::filesystem::temp_directory_path() /
                ("mepu-account-" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(root_);
        set("HOME", root_ / "home");
        set("XDG_CONFIG_HOME", config_home());
        set("XDG_DATA_HOME", data_home());
        set("XDG_CACHE_HOME", root_ / "cache");
    }
    ~DesktopAccount() {
        for (const auto& [name, value] : saved_)
            value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    DesktopAccount(const DesktopAccount&) = delete;
    DesktopAccount& operator=(const DesktopAccount&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path config_home() const { return root_ / "config"; }
    std::filesystem::path data_home() const { return root_ / "data"; }

private:
    void set(const std::string& name, const std::filesystem::path& value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? old : "");
        setenv(name.c_str(), value.c_str(), 1);
    }
    std::filesystem::path root_;
    std::vector<std::pair<std::string, std::string>> saved_;
};

// Runs the test's body with this folder as the current directory, as the installer is started.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};
