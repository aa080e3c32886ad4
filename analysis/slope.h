#pragma once
// Gradient direction and steepness of a DEM, for the vegetation greens and the gradient
// direction colouring. Everything is computed on demand for one grid point while a frame
// is drawn; nothing is stored.
//
// Angles are in degrees, converted from radians with 180 / 3.14159 (pi taken as 3.14159)
// in double precision. Near the border (a band of three points, two at the far edges)
// there is no gradient: find_gradient gives -1 and colorSlopeDeg 0.0.

#include "model/grid_view.h"

extern int TREELINE;  // treeline height in the grid's height unit; 4100 at start
extern float SLOPE;   // vegetation slope limit in degrees; 10.0 at start

// Direction class at (row, col) of dem: 0, 45, 90, -45 or -90; -1 near the border or where
// the stencil reads a point that is no height.
int gradientClass(const GridView& dem, int row, int col);

// Direction angle at (row, col) of dem in degrees, 0.0 where gradientClass gives -1.
// Within (-90, 90] up to the rounding of pi: a nearly vertical gradient (|A / B| above
// about 800000) gives up to +-90.00008, which the colouring leaves in the base colour.
float gradientAngle(const GridView& dem, int row, int col);

// True when the terrain at (row, col) of dem is at least limit degrees steep along its
// direction class: the step to either neighbour along it, atan(|dh| / length) in
// degrees, length groundX east-west, groundY north-south and sqrt((groundX^2 +
// groundY^2) / 2) on a diagonal (the cellsize, as along a row, on square cells); false
// where there is no direction.
bool steepAt(const GridView& dem, int row, int col, float limit);

// The vegetation rule at a triangle's lookup point of height `height`: true (no
// vegetation, MountainGreenHigh) above the treeline or where steepAt holds for limit.
bool vegetationHighAt(const GridView& dem, float height, int row, int col, int treeline, float limit);

// The same on mt with TREELINE and SLOPE: find_gradient is gradientClass, colorSlopeDeg
// gradientAngle, mountain::findSlope steepAt.
int find_gradient(int row, int col);
float colorSlopeDeg(int row, int col);
bool vegetationHigh(float height, int row, int col);

// Direction class of an angle: (-22, 22] is 0, (22, 67] is 45, (67, 112] is 90,
// (-67, -22] is -45, (-112, -67] is -90.
int roundDeg(float angle);

// The colour of a direction angle in the gradient colouring; set is false outside
// [-90, 90], where the surface keeps its base colour (and, with DEBUG, the angle is
// written to standard output).
struct SlopeColour {
    bool set;
    float red, green, blue;
};
SlopeColour slopeColour(float angle);

void resetSlope();
