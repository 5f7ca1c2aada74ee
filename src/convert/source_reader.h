// Reads the animation to convert, with the converter's own checks and messages.
#pragma once

#include "convert/converter_front.h"
#include "convert/converter_state.h"

// Reads state->input_path into state->frames and state->header, showing a progress status per
// frame. Returns 0, or -1 after an error box; on failure no frame is kept.
int load_source_animation(ConverterState* state, const ConverterFront& front);
