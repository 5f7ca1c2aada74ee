// m2bmp: the dialog, or the command line when arguments are given.
#include <QApplication>
#include <cstdio>

#include "convert/command_line.h"
#include "convert/qt/converter_dialog.h"

int main(int argc, char** argv) {
    if (argc > 1) return run_command_line(argc, argv, stdout, stderr);
    QApplication app(argc, argv);
    ConverterDialog dialog;
    dialog.show();
    return app.exec();
}
