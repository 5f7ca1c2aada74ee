// The editing view: the current frame in black over up to eight earlier frames in greys.
#pragma once

// Canvas value of layer i (0 = oldest) of `depth` earlier frames.
int onion_shade(int layer, int depth);
// Paints the editing view onto the canvas (does not present it).
void compose_editing_view();
