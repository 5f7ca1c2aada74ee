// The installation steps: copy the kit, write the editor's configuration file, register the
// Start Menu shortcuts. Nothing is rolled back when a step fails.
#pragma once

#include <string>

#include "install/install_script.h"

// What the installation shows and asks; the dialog front implements it.
class InstallerUi {
public:
    virtual ~InstallerUi() = default;
    virtual void show_progress(const std::string& text) = 0;
    virtual bool ask_yes_no(const char* text, const char* title) = 0;
    virtual void show_message(const char* text, const char* title) = 0;
};

// The platform's Start Menu: .lnk files on Windows, .desktop entries on Linux.
class StartMenu {
public:
    virtual ~StartMenu() = default;
    // The group's folder (created when missing), ending in a separator; empty when the Start
    // Menu itself cannot be found.
    virtual std::string group_folder(const std::string& group_name) = 0;
    virtual bool create_shortcut(const std::string& target, const std::string& folder,
                                 const std::string& app_name) = 0;
};

// The platform's file types: tells the desktop that the installed editor opens animation files,
// beside (never instead of) the program that owns the extension. A desktop that cannot be told
// still gets a working kit, so nothing here fails the installation.
class FileTypes {
public:
    virtual ~FileTypes() = default;
    // destination: the folder the kit was copied to, ending in a separator.
    virtual void register_editor(const std::string& destination) = 0;
};

enum class InstallOutcome { done, copy_failed, config_failed, shortcuts_failed };

// Copies each listed file from source_dir (empty: the current directory) into the destination,
// in order, showing "copying <item>" after each copy.
bool copy_install_files(const InstallScript& script, const std::string& source_dir,
                        InstallerUi& ui);
// Writes the destination folder as the editor's configuration file.
bool write_install_config(const InstallScript& script);
// One shortcut per pair of link target and app name, in order; the shorter list ends the pairing.
bool make_start_menu_shortcuts(const InstallScript& script, StartMenu& start_menu);
// The whole installation with its questions and messages, stopping at the first failing step.
// The file types, when given, are registered once the configuration file is written.
InstallOutcome run_installation(const InstallScript& script, const std::string& source_dir,
                                InstallerUi& ui, StartMenu& start_menu,
                                FileTypes* file_types = nullptr);
