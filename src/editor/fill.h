// The cross-shaped fill: whole row runs straight above and below the seed, whole column runs
// straight left and right of it. Areas reached only around a corner stay unpainted.
#pragma once

// Redraws the current frame alone on the canvas and paints the area for the seed (canvas
// coordinates, possibly outside the canvas) in the pen colour. Uses no memory beyond the canvas.
void fill_region(int seed_x, int seed_y);
