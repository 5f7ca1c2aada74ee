// mepu on Linux: the editor on the Qt host.
#include "editor/app_main.h"
#include "host/qt/qt_host.h"

int main(int argc, char** argv) { return qt_host_main(argc, argv, editor_entry_points()); }
