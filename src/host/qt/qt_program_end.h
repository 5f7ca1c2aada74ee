// How the Qt host's program ends.
#pragma once

// GUI thread. Stops the application thread at its next host call, calls free_app_data and leaves
// the event loop. Every end path (close box, the quit command, request_exit) comes here; a second
// call does nothing.
void end_program();
