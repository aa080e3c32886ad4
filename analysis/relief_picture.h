#pragma once
// Pictures of a DEM for the reports: a shaded relief, grey, lit from the north-west, with
// the cells of an error level laid over in the viewer's level colours, of the whole grid
// or of a window around one place.
//
// A picture shows cells: cell (r, c) spans the points (r, c) to (r + 1, c + 1), north at
// the top; the passes keep a point's level on the cell whose first corner it is. Its
// shade is the hillshade of the plane through its four corners (see cellShade), taken
// with the ground cell lengths; a cell with a corner that holds no height is drawn in
// reliefNoData. A cell with a level of 1 or more is drawn in that level's colour, opaque,
// so that a pixel's colour is exactly a legend colour.
//
// Where a pixel covers several cells it shows the worst (highest) level among them, so
// that no cell of the worst level disappears from a reduced picture; with no level it
// shows the mean shade of its cells that have one, and reliefNoData when none has.

#include <cstddef>
#include <cstdint>

#include "analysis/picture.h"
#include "model/grid_view.h"

const Rgb8 reliefNoData{200, 215, 235};  // pale blue-grey: no relief grey has a hue
const Rgb8 placeMarker{0, 0, 0};         // the ring around the place of a window picture, edged white

// The levels a pass keeps per cell, as in mt.curveLevels and mt.diffLevels, and their
// colours; with no levels (nullptr), or with a count other than the grid's cells
// (nrows - 1) x (ncols - 1), the picture is the relief alone.
struct LevelOverlay {
    const std::uint8_t* levels = nullptr;  // cell k = r x (ncols - 1) + c
    std::size_t count = 0;
    std::vector<Rgb8> colours;  // colours[l] for level l >= 1; a level beyond takes the last
};
LevelOverlay curvatureOverlay(const std::uint8_t* levels, std::size_t count);
LevelOverlay differenceOverlay(const std::uint8_t* levels, std::size_t count);

struct ReliefStyle {
    int maxWidth = 1600, maxHeight = 1600;  // pixels; a larger grid is reduced
    int maxPixelsPerCell = 8;               // a small grid is enlarged at most this much
    double exaggeration = 1;                // heights are multiplied by this for the shading
};

struct ReliefPicture {
    Picture picture;  // empty when there is no cell to show
    // The cells shown: rows firstRow .. firstRow + rows - 1, likewise the columns.
    int firstRow = 0, firstCol = 0, rows = 0, cols = 0;
    double cellsPerPixel = 0;  // across: above 1 when reduced, 1 / k when enlarged k times
};

// The whole grid, reduced to fit the style's bounds with its cells' proportions kept
// (pixel x covers the cells floor(x W / w) .. floor((x + 1) W / w) - 1 of a grid W cells
// across shown w pixels wide), or enlarged a whole number of times up to those bounds.
ReliefPicture reliefPicture(const GridView& grid, const LevelOverlay& overlay, const ReliefStyle& style = {});

// A window of cells x cells cells centred on cell (row, col) (its first cell row is
// row - cells / 2), clipped at the grid's borders, each cell pixelsPerCell pixels square;
// a ring in placeMarker surrounds the place's cell and its neighbours. Empty when the
// place is not a cell of the grid.
ReliefPicture placePicture(const GridView& grid, const LevelOverlay& overlay, int row, int col, int cells = 64,
                           int pixelsPerCell = 4, double exaggeration = 1);

// The two steps of reliefPicture, for several overlays on one grid: the shading, which
// takes most of the time, is done once. withLevels lays the overlay of the same grid over
// a copy of the relief.
ReliefPicture shadedRelief(const GridView& grid, const ReliefStyle& style = {});
ReliefPicture withLevels(const ReliefPicture& relief, const GridView& grid, const LevelOverlay& overlay);

// The hillshade of a cell, 0 (in shadow) to 1 (facing the sun), from its corners' heights
// (north-west, north-east, south-west, south-east) and the ground cell lengths dx, dy in
// the heights' unit. The cell's plane has the gradient
//   p = dz/dx (east) = ((ne + se) - (nw + sw)) / (2 dx)
//   q = dz/dy (north) = ((nw + ne) - (sw + se)) / (2 dy)
// and the unit normal (-p, -q, 1) / sqrt(1 + p^2 + q^2); the sun stands in the north-west
// (azimuth 315 degrees) at 45 degrees, in the direction (-1/2, 1/2, sqrt(2)/2), so
//   shade = max(0, (p / 2 - q / 2 + sqrt(2) / 2) / sqrt(1 + p^2 + q^2)).
// A flat cell has sqrt(2) / 2.
float cellShade(float nw, float ne, float sw, float se, double dx, double dy);
