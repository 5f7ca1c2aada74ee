#include "host/common/app_entry.h"

namespace {
AppEntryPoints& stored_entry_points() {
    static AppEntryPoints entry_points{};
    return entry_points;
}
}  // namespace

void set_app_entry_points(const AppEntryPoints& entry_points) {
    stored_entry_points() = entry_points;
}

const AppEntryPoints& app_entry_points() { return stored_entry_points(); }
