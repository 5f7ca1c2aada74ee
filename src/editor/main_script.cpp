// mepu-script: the editor on the scripted host.
#include "editor/app_main.h"
#include "host/script/script_host.h"

int main(int argc, char** argv) { return script_host_main(argc, argv, editor_entry_points()); }
