#include "host/common/palette_store.h"

#include <cstdlib>

#include "host/host.h"

namespace {
// Entry 10 + n of the ramp: n steps of 71089 / 65536, from 0 at entry 10 to 254 at entry 245.
uint8_t gray_ramp_level(int entry) {
    return static_cast<uint8_t>(static_cast<uint32_t>(entry - 10) * 71089u >> 16);
}
}  // namespace

PaletteStore& palette_store() {
    static PaletteStore store;
    return store;
}

void palette_open() {
    PaletteStore& store = palette_store();
    if (store.table != nullptr) return;  // opening twice would leak the first table
    store.table = static_cast<uint8_t*>(std::calloc(PALETTE_TABLE_BYTES, 1));
}

void palette_close() {
    PaletteStore& store = palette_store();
    std::free(store.table);
    store.table = nullptr;
}

void palette_init_gray(int key) {
    PaletteStore& store = palette_store();
    if (key != PALETTE_GRAY_KEY || store.table == nullptr) return;
    for (int entry = 10; entry <= 245; ++entry) {
        uint8_t* rgb = store.table + 3 * entry;
        rgb[0] = rgb[1] = rgb[2] = gray_ramp_level(entry);
    }
}

int palette_set(int index, uint32_t colour) {
    PaletteStore& store = palette_store();
    if (index < 0 || index > 255 || store.table == nullptr) return -1;
    uint8_t* rgb = store.table + 3 * index;
    rgb[0] = static_cast<uint8_t>(colour);
    rgb[1] = static_cast<uint8_t>(colour >> 8);
    rgb[2] = static_cast<uint8_t>(colour >> 16);
    return 0;
}

PaletteEntry palette_get(int index) {
    const PaletteStore& store = palette_store();
    if (store.table == nullptr) return {0, 0, 0};
    if (index < 0 || index > 255) index = 0;
    const uint8_t* rgb = store.table + 3 * index;
    return {rgb[0], rgb[1], rgb[2]};
}

namespace {
constexpr uint32_t rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return red | green << 8 | blue << 16;
}
// The 20 static colours a palette display reserves, low ten then high ten.
constexpr uint32_t LOW_STATIC_COLORS[10] = {
    rgb(0, 0, 0),     rgb(128, 0, 0),   rgb(0, 128, 0),     rgb(128, 128, 0),   rgb(0, 0, 128),
    rgb(128, 0, 128), rgb(0, 128, 128), rgb(192, 192, 192), rgb(192, 220, 192), rgb(166, 202, 240),
};
constexpr uint32_t HIGH_STATIC_COLORS[10] = {
    rgb(255, 251, 240), rgb(160, 160, 164), rgb(128, 128, 128), rgb(255, 0, 0),
    rgb(0, 255, 0),     rgb(255, 255, 0),   rgb(0, 0, 255),     rgb(255, 0, 255),
    rgb(0, 255, 255),   rgb(255, 255, 255),
};
}  // namespace

void store_fixed_system_colors() {
    for (int i = 0; i < 10; ++i) {
        palette_set(i, LOW_STATIC_COLORS[i]);
        palette_set(246 + i, HIGH_STATIC_COLORS[i]);
    }
}

PaletteEntry fixed_system_palette_entry(int index) {
    if (index < 0 || index > 255) index = 0;
    if (index >= 10 && index <= 245) {
        const uint8_t level = gray_ramp_level(index);
        return {level, level, level};
    }
    const uint32_t packed = index < 10 ? LOW_STATIC_COLORS[index] : HIGH_STATIC_COLORS[index - 246];
    return {static_cast<uint8_t>(packed), static_cast<uint8_t>(packed >> 8),
            static_cast<uint8_t>(packed >> 16)};
}
