// A fresh desktop account below a new temporary folder: HOME and the XDG folders point into it
// while the object lives, and nothing of it exists yet.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

class DesktopAccount {
public:
    DesktopAccount() {
        set("HOME", root_ / "home");
        set("XDG_CONFIG_HOME", config_home());
        set("XDG_DATA_HOME", data_home());
        set("XDG_CACHE_HOME", root_ / "cache");
    }
    ~DesktopAccount() {
        for (const auto& [name, value] : saved_)
            value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
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
    test_support::TempFolder folder_{"mepu-account"};
    std::filesystem::path root_ = folder_.path();
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
