// The diagnostic palette dump: the palette store beside the palette the display holds, in the
// text file paldump.dat of the current directory.
#pragma once

#include "host/host.h"

constexpr const char* PALETTE_DUMP_FILE = "paldump.dat";

// Writes every index 0-255 as a "VVD" line with the store's colour and a "WIN" line with
// `system[index]`, each pair preceded by a warning line where the two differ. Writes nothing when
// the file cannot be opened.
void write_palette_dump(const PaletteEntry (&system)[256]);
