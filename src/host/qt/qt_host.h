// The Qt 6 host: runs the editor (app_main on its own thread) with Qt windows.
#pragma once

#include "host/host.h"

// Starts the host on the calling (GUI) thread and returns the program's exit code when it ends.
// argv[1], when given, is the animation file opened at start.
int qt_host_main(int argc, char** argv, const AppEntryPoints& app);
