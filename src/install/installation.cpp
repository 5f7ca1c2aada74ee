#include "install/installation.h"

#include "file_replace/replace_file.h"
#include "install/file_ops.h"
#include "install/installer_texts.h"

bool copy_install_files(const InstallScript& script, const std::string& source_dir,
                        InstallerUi& ui) {
    // Parents too: the folder under which programs go need not exist on a fresh account.
    make_folders(script.destination);
    for (const std::string& item : script.install_files) {
        const std::string target = script.destination + item;
        // An item in a subfolder needs that subfolder below the destination.
        make_folders(parent_folder(target));
        const std::string source = source_dir.empty() ? item : source_dir + "/" + item;
        if (!install_file_copy(source, target)) return false;
        ui.show_progress("copying " + item);
    }
    return true;
}

bool write_install_config(const InstallScript& script) {
    // The folder standing for the Windows directory is missing on a fresh Linux account; it is
    // made only now that the user has confirmed the installation.
    make_folders(parent_folder(script.ini_file));
    return replace_file(script.ini_file.c_str(), [&](FileOutput& out) {
               out.write(script.destination);
           }).status == ReplaceStatus::ok;
}

bool make_start_menu_shortcuts(const InstallScript& script, StartMenu& start_menu) {
    const std::string folder = start_menu.group_folder(script.group_name);
    if (folder.empty()) return false;
    for (size_t k = 0; k < script.link_targets.size() && k < script.app_names.size(); ++k) {
        if (!start_menu.create_shortcut(script.destination + script.link_targets[k], folder,
                                        script.app_names[k]))
            return false;
    }
    return true;
}

InstallOutcome run_installation(const InstallScript& script, const std::string& source_dir,
                                InstallerUi& ui, StartMenu& start_menu, FileTypes* file_types) {
    if (!copy_install_files(script, source_dir, ui)) {
        ui.show_message(COPY_FAILED_TEXT, INSTALL_ERROR_TITLE);
        return InstallOutcome::copy_failed;
    }
    if (!write_install_config(script)) {
        ui.show_message(CONFIG_FAILED_TEXT, INSTALL_ERROR_TITLE);
        return InstallOutcome::config_failed;
    }
    if (file_types) file_types->register_editor(script.destination);
    if (ui.ask_yes_no(START_MENU_QUESTION, START_MENU_TITLE) &&
        !make_start_menu_shortcuts(script, start_menu)) {
        ui.show_message(SHORTCUTS_FAILED_TEXT, SHORTCUTS_FAILED_TITLE);
        return InstallOutcome::shortcuts_failed;
    }
    ui.show_message(script.end_message.c_str(), INSTALL_DONE_TITLE);
    return InstallOutcome::done;
}
