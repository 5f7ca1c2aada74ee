#include "host/common/palette_dump.h"

#include <cstdio>

void write_palette_dump(const PaletteEntry (&system)[256]) {
    std::FILE* file = std::fopen(PALETTE_DUMP_FILE, "w");
    if (file == nullptr) return;
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry store = palette_get(i);
        const PaletteEntry shown = system[i];
        if (store.red != shown.red || store.green != shown.green || store.blue != shown.blue) {
            std::fputs("\nwarning not mach system pallete", file);
        }
        std::fprintf(file, "\n VVD %d  r = %d g = %d b = %d", i, store.red, store.green,
                     store.blue);
        std::fprintf(file, "\n WIN %d  r = %d g = %d b = %d", i, shown.red, shown.green,
                     shown.blue);
    }
    std::fclose(file);
}
