// The conversion the "実行" button starts: every frame of the chosen animation to its own BMP file.
#pragma once

#include "convert/converter_front.h"
#include "convert/converter_state.h"

// Checks the choices, reads the input and writes one file per frame, named by frame_file_name
// from the output path. A frame that cannot be written only changes the status line; the run goes
// on. Returns -1 when nothing was converted (a choice missing or the input refused, which then
// also empties the input path), otherwise the number of frames that could not be written.
int convert_animation(ConverterState* state, const ConverterFront& front);
