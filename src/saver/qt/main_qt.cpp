// mepusaver on a Linux desktop: -s full screen, -p ID inside the X11 window ID, -c settings,
// -a change the password; for a screen-saver host, -root and -window-id ID.
#include "qt_text/shift_jis_text.h"
#include "saver/core/saver_program.h"
#include "saver/core/saver_settings.h"
#include "saver/core/saver_texts.h"
#include "saver/core/settings_store.h"
#include "saver/qt/qt_saver_dialogs.h"
#include "saver/qt/qt_saver_front.h"
#include "saver/qt/qt_saver_platform.h"
#include "saver/registry_ini/registry_ini.h"
#include "qt_session/wayland_seat.h"

#include <QApplication>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void print_line(std::FILE* out, const char* text) {
    std::fprintf(out, "%s\n", sjis_to_qstring(text).toUtf8().constData());
}

}  // namespace

int main(int argc, char** argv) {
    if (asks_for_help(argc - 1, argv + 1)) {
        print_line(stdout, TEXT_USAGE);
        return 0;
    }
    leave_out_input_method_without_seat();
    QApplication application(argc, argv);
    // Qt has taken its own options out of argv.
    std::vector<const char*> args(argv + 1, argv + argc);
    SaverCommand command;
    if (!parse_hosted_command_line(int(args.size()), args.data(),
                                   std::getenv("XSCREENSAVER_WINDOW"), x11_root_window(),
                                   &command)) {
        command = parse_command_line(int(args.size()), args.data(), WindowNumbers::DECIMAL_OR_HEX);
    }

    const std::string registry_path = default_registry_ini_path();
    // The desktop key is the system's own: on Windows it always exists.
    RegistryIniStore settings(registry_path, {DESKTOP_KEY});
    // Wayland gives no program another's window to draw in, and no way to lock the session.
    const bool wayland = QGuiApplication::platformName() == QLatin1String("wayland");
    const bool into_window = command.hosted || (command.mode == SAVER_MODE_PREVIEW &&
                                                command.window_source == WindowSource::ARGUMENT &&
                                                command.window != NO_WINDOW);
    if (wayland && into_window) {
        print_line(stderr, TEXT_WAYLAND_NO_HOST);
        return 1;
    }
    if (command.hosted) {
        // The host ends its hacks with SIGTERM and wants them gone at once, whatever the
        // program that started the host did with the signal.
        std::signal(SIGTERM, SIG_DFL);
        // Nothing may open over the host's screen: what goes wrong is said on stderr.
        if (command.window == NO_WINDOW) {
            print_line(stderr, TEXT_NO_HOST_WINDOW);
            return 1;
        }
        if (read_load_file(settings).empty()) {
            print_line(stderr, TEXT_NO_ANIMATION_CONFIGURED);
            return 1;
        }
    }
    QtSaverPlatform platform(settings, command.hosted);
    const bool full_screen = command.mode == SAVER_MODE_FULL_SCREEN ||
                             (command.mode == SAVER_MODE_PREVIEW && !into_window);
    const bool plays = full_screen && !read_load_file(settings).empty();
    if (wayland && plays && password_required(settings)) {
        show_saver_message(NO_WINDOW, TEXT_WAYLAND_NO_LOCK, TEXT_PROMPT_TITLE,
                           SaverMessageIcon::EXCLAMATION);
        platform.play_without_lock();
    }
    QtSaverFront front(settings, default_saver_lock_path(registry_path), command.hosted);
    return run_saver_program(command, platform, front, settings);
}
