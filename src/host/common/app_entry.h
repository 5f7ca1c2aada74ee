// The editor's entry points, kept by the host for the whole run.
#pragma once

#include "host/host.h"

// Called by each backend's main function (and by tests that drive a host in-process) before the
// application thread starts.
void set_app_entry_points(const AppEntryPoints& entry_points);
// The entry points last set; calling one before they are set is a fault of the backend.
const AppEntryPoints& app_entry_points();
