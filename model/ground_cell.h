#pragma once
// The length of a cell on the ground, east-west and north-south, in the heights' unit
// (metres for a grid in degrees), for everything that sets distances against heights:
// the mesh, the gradient, the steepness, the profile and the slope classes.

struct GroundCell {
    double eastWest = 0, northSouth = 0;
};

// With cells in degrees a degree of latitude is taken as 111320 m everywhere and a degree
// of longitude as 111320 m x cos(latitude) at the grid's centre row line,
//   latitude = yllcorner + nrows x cellsize / 2   (clamped to [-90, 90]),
// so east-west = cellsize x 111320 x cos(latitude), north-south = cellsize x 111320.
// The east-west length is 0 only for a grid centred on a pole. Otherwise both lengths are
// the cellsize as read.
GroundCell groundCell(int nrows, double yllcorner, double cellsize, bool inDegrees);

// The east-west length over the north-south one for cells in degrees: cos(latitude) at
// the centre row line as above, 0 for a grid centred on a pole.
double eastWestShare(int nrows, double yllcorner, double cellsize);
