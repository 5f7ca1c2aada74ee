// The GIF choice of the conversion: every frame of the animation read into the state, as one
// animated GIF file named by the output path.
#pragma once

#include "convert/converter_front.h"
#include "convert/converter_state.h"

// Writes the file in place of any file of that name only once it is complete, showing each
// frame's progress and then the outcome in the status line. Writes nothing for an animation
// without frames. Returns 0, or 1 when the file could not be written (an older file of that name
// is then kept as it was).
int write_gif_file(const ConverterState& state, const ConverterFront& front);
