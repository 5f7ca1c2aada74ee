#include "saver/qt/qt_saver_front.h"

#include "saver/qt/qt_saver_dialogs.h"

#include <QWidget>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <utility>

QtSaverFront::QtSaverFront(SettingsStore& settings, std::string lock_path, bool hosted)
    : settings_(settings), lock_path_(std::move(lock_path)), hosted_(hosted) {}

QtSaverFront::~QtSaverFront() {
    if (lock_fd_ >= 0) close(lock_fd_);
}

WindowHandle QtSaverFront::foreground_window() { return NO_WINDOW; }

bool QtSaverFront::full_screen_saver_running(bool full_screen) {
    if (lock_fd_ >= 0 || hosted_) return false;
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(lock_path_).parent_path(), ignored);
    const int fd = open(lock_path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a lock file there is no way to tell; play rather than refuse.
    if (fd < 0) return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return true;
    }
    if (full_screen) {
        lock_fd_ = fd;
    } else {
        close(fd);
    }
    return false;
}

void QtSaverFront::choose_animation_file(WindowHandle owner, std::string* path) {
    run_choose_animation_file(owner, path);
}

void QtSaverFront::change_password_dialog(WindowHandle parent) {
    run_change_password(parent, settings_);
}

void QtSaverFront::enable_input_method(WindowHandle window, bool enabled) {
    if (window == NO_WINDOW) return;
    reinterpret_cast<QWidget*>(window)->setAttribute(Qt::WA_InputMethodEnabled, enabled);
}

std::string default_saver_lock_path(const std::string& registry_path) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') return std::string(runtime) + "/mepusaver.lock";
    return (std::filesystem::path(registry_path).parent_path() / "mepusaver.lock").string();
}
