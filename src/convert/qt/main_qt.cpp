// m2bmp: the dialog (with a dropped file as its input), or the command line for options or two
// file names.
#include <QApplication>
#include <cstdio>

#include "convert/command_line.h"
#include "convert/qt/converter_dialog.h"
#include "qt_session/wayland_seat.h"

int main(int argc, char** argv) {
    // Taken before QApplication, which may take arguments of its own out of argv.
    const char* dropped = dropped_file(argc, argv);
    if (argc > 1 && dropped == nullptr) return run_command_line(argc, argv, stdout, stderr);
    leave_out_input_method_without_seat();
    QApplication app(argc, argv);
    ConverterDialog dialog;
    if (dropped != nullptr) dialog.load_input(dropped);
    dialog.show();
    return app.exec();
}
