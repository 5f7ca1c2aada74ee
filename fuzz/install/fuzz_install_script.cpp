// Feeds arbitrary bytes to the installer's script parser.
#include <cstddef>
#include <cstdint>
#include <string>

#include "install/install_places.h"
#include "install/install_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InstallScript script;
    if (parse_install_script(std::string(reinterpret_cast<const char*>(data), size), &script)
            .empty()) {
        complete_install_paths(windows_install_places("C:\\WINDOWS"), &script);
        if (script.install_files.size() > LIST_MAX_ITEMS) __builtin_trap();
    }
    return 0;
}
