// mepusaver on a Linux desktop: -s full screen, -p ID inside the X11 window ID, -c settings,
// -a change the password.
#include "saver/core/saver_program.h"
#include "saver/core/settings_store.h"
#include "saver/qt/qt_saver_front.h"
#include "saver/qt/qt_saver_platform.h"
#include "saver/registry_ini/registry_ini.h"

#include <QApplication>

#include <vector>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Qt has taken its own options out of argv.
    std::vector<const char*> args(argv + 1, argv + argc);
    const SaverCommand command = parse_command_line(int(args.size()), args.data());

    const std::string registry_path = default_registry_ini_path();
    // The desktop key is the system's own: on Windows it always exists.
    RegistryIniStore settings(registry_path, {DESKTOP_KEY});
    QtSaverPlatform platform(settings);
    QtSaverFront front(settings, default_saver_lock_path(registry_path));
    return run_saver_program(command, platform, front, settings);
}
