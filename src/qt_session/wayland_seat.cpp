#include "qt_session/wayland_seat.h"

#include <wayland-client.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

void note_global(void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
    if (std::strcmp(interface, wl_seat_interface.name) == 0) *static_cast<bool*>(data) = true;
}

void forget_global(void*, wl_registry*, uint32_t) {}

constexpr wl_registry_listener REGISTRY_LISTENER{note_global, forget_global};

// Whether Qt will take the Wayland platform: asked for, or not asked for otherwise with a
// compositor named (as on today's desktops).
bool qt_goes_to_wayland() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && platform[0] != '\0')
        return std::string_view(platform).substr(0, 7) == "wayland";
    return std::getenv("WAYLAND_DISPLAY") != nullptr;
}

}  // namespace

void leave_out_input_method_without_seat() {
    const char* chosen = std::getenv("QT_IM_MODULE");
    if ((chosen != nullptr && chosen[0] != '\0') || !qt_goes_to_wayland()) return;
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) return;  // Qt will fail or go elsewhere on its own
    bool seat = false;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &REGISTRY_LISTENER, &seat);
    const bool answered = wl_display_roundtrip(display) >= 0;
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    if (answered && !seat) setenv("QT_IM_MODULE", "none", 1);
}
