// dump_palette for the hosts that draw in true colour: with no system palette to ask, the store is
// compared with the palette a palette display would hold.
#include "host/common/app_gate.h"
#include "host/common/palette_dump.h"
#include "host/common/palette_store.h"

void dump_palette() {
    app_gate_pass();
    PaletteEntry system[256];
    for (int i = 0; i < 256; ++i) system[i] = fixed_system_palette_entry(i);
    write_palette_dump(system);
}
