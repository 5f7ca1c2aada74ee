// The conversion the "実行" button starts: every frame of the chosen animation to its own BMP
// file, or all of them into one animated GIF.
#pragma once

#include "convert/converter_front.h"
#include "convert/converter_state.h"

// Checks the choices and reads the input. BMP: writes one file per frame, named by
// frame_file_name from the output path; a frame that cannot be written only changes the status
// line and the run goes on. GIF: writes the one file the output path names. Returns -1 when
// nothing was converted (a choice missing or the input refused, which then also empties the
// input path), otherwise the number of files that could not be written.
int convert_animation(ConverterState* state, const ConverterFront& front);
