// The installer on a Linux desktop: install.ini from the current directory, the configuration
// file and the registry values in the user's configuration folder, programs under the data folder.
#include <QApplication>

#include "install/qt/desktop_installer.h"
#include "qt_session/wayland_seat.h"

int main(int argc, char** argv) {
    leave_out_input_method_without_seat();
    QApplication app(argc, argv);
    DesktopInstaller installer;
    installer.dialog().show();
    return app.exec();
}
