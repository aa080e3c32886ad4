#pragma once
// The checkpoints held (analysis/current_reference.h) in the 3D view, drawn while
// "Contour\Initial Data" is on: at each tested checkpoint a vertical needle from the DEM's
// surface there (its bilinear height) to the checkpoint's height, with a dot at the
// checkpoint's end, so that a checkpoint on the surface shows too. Needles are unlit, in the
// colour of |d| graded against the checkpoints' interval as the difference levels grade
// theirs.

#include "view/colours.h"

// The difference level colour of d for interval (analysis/difference.h); white for the
// lowest level (|d| at most 5 percent of it), which the levels leave in the terrain's green.
Rgb checkpointNeedleColour(double d, double interval);

// Draws the needles into the current GL context with mt's scaling, leaving GL's state as
// it found it. Nothing without a checkpoint set or a DEM.
void drawCheckpointNeedles();
