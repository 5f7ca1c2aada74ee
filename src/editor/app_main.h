// The editor as the host sees it: its main routine, its release and its save command.
#pragma once

#include "host/host.h"

AppEntryPoints editor_entry_points();
