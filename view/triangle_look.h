#pragma once
// What one triangle of the mesh looks like in the current frame, decided without GL: its
// colour after the base rule and the overlays, and the extras drawn just before it. The
// renderer hands the colour to the vertex arrays and draws the extras itself.
//
// A triangle's colours are looked up at one grid point: both triangles of cell (r, c) use
// row r, the first column c, the second column c + 1. Its levels are the cell's, or for a
// coarse cell of a still frame the worst of the cells it covers (view/coarse_frame.h).

#include <cstdint>

#include "view/colours.h"

class mountain;

struct TriangleLook {
    Rgb colour;
    // A comparison point marker at the triangle's second vertex (the first triangle of a
    // cell whose lookup point carries comparison data).
    bool cube = false;
    // A difference needle from the second vertex, in the triangle's own colour; in point
    // mode it is a point at the first vertex.
    bool needle = false;
    float needleDifference = 0;  // DEM minus comparison at the lookup point
};

// The levels a triangle's overlays read: its cell's, or a coarse cell's worst.
struct CellLevels {
    std::uint8_t curve = 0, diff = 0;
};

// Per frame: the flags and ranges every triangle's rules read.
class TriangleLooks {
public:
    explicit TriangleLooks(mountain& m);
    // Triangle `second` (0 or 1) of a cell with the given levels, looked up at (row, col).
    TriangleLook look(const CellLevels& levels, int row, int col, bool second);

private:
    Rgb baseColour(TriangleLook& l, int row, int col, bool second);
    void overlay(TriangleLook& l, const CellLevels& levels, int row, int col);
    bool vegetation(int row, int col);

    mountain& m;
    const bool comparable;
    const int classInterval;  // 0 when no height-class table fits the contour interval
    const int rampMax, rampMin;
};
