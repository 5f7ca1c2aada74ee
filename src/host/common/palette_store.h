// The palette store behind host.h's palette_* operations: 256 {red, green, blue} entries that
// feed the canvas colour table and the platform palette.
#pragma once

#include <cstdint>

#include "host/host.h"

// 257 entries of 3 bytes: entry 256 is room the table has always had and nothing uses.
constexpr int PALETTE_TABLE_BYTES = 771;
constexpr int PALETTE_GRAY_KEY = 11000;

struct PaletteStore {
    uint8_t* table = nullptr;  // PALETTE_TABLE_BYTES, entry i at byte 3 * i; null when closed
};

// The one store of the process.
PaletteStore& palette_store();

// For hosts without a system palette: stores a fixed set of the classic 20 static colours into
// entries 0-9 and 246-255 (entry 0 black, entry 255 white). Does nothing while the store is closed.
void store_fixed_system_colors();

// What a palette display would hold in slot `index` once ours is realised, for hosts without a
// system palette: the fixed static colours at 0-9 and 246-255, the grey ramp in between (entry
// 10 black). An index outside 0-255 reads slot 0.
PaletteEntry fixed_system_palette_entry(int index);
