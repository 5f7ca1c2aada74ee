// Reads the saver's settings from an arbitrary registry.ini and stores the animation file in it.
// The stored value must read back as written, and every other value must read as before.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "saver/core/saver_settings.h"
#include "saver/registry_ini/registry_ini.h"

namespace {

// Made once per process on memory-backed storage and removed at its end. A plain array, so it is
// still there when the exit handler runs.
char folder[] = "/dev/shm/fuzz_registry_ini_XXXXXX";

struct Values {
    bool desktop_exists = false;
    bool password_required = false;
    bool password_found = false;
    std::string password;
    std::string load_file;

    bool operator==(const Values&) const = default;
};

Values read_values(RegistryIniStore& store) {
    Values values;
    values.desktop_exists = store.key_exists(DESKTOP_KEY);
    values.password_required = password_required(store);
    values.password_found =
        store.read_string(DESKTOP_KEY, VALUE_PASSWORD, PASSWORD_BUFFER, &values.password);
    values.load_file = read_load_file(store);
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (mkdtemp(folder) == nullptr) std::abort();
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string path = std::string(folder) + "/registry.ini";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    const bool written = std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written) std::abort();

    RegistryIniStore store(path);
    const Values before = read_values(store);
    check_password(store, "password");

    // A name the file may well hold already, with the characters the format gives a meaning.
    const std::string stored = "/home/[user]/a=b;c.mpa ";
    if (!write_load_file(store, stored)) __builtin_trap();  // the folder is writable
    Values after = read_values(store);
    if (after.load_file != stored) __builtin_trap();
    after.load_file = before.load_file;
    if (!(after == before)) __builtin_trap();
    return 0;
}
