#pragma once
// Reading a window of a grid instead of all of it: the programs' --window. The reader
// takes the window's points and a halo of one point around them where the grid has one,
// so that every cell of the window gets the curvature and the difference it gets in the
// whole grid; the model then holds that piece as its grid, placed where it lies.

#include <optional>
#include <string>

// A window of grid points (raster cells) in GDAL's convention: columns xoff .. xoff +
// xsize - 1 and rows yoff .. yoff + ysize - 1, row 0 the north row.
struct GridWindow {
    int xoff = 0, yoff = 0, xsize = 0, ysize = 0;
};

// What a windowed read took: the whole grid's size and header, and the first row and column
// of the piece read (the window with its halo) within it.
struct WindowRead {
    std::string file;
    int gridRows = 0, gridCols = 0;
    double xllcorner = 0, yllcorner = 0;  // of the whole grid, as read
    int firstRow = 0, firstCol = 0;
    int rows = 0, cols = 0;  // of the piece read
};

// The window the readers take, set by the programs' switches; nullopt (at start) reads
// whole grids. A comparison set is read through it only with windowComparison set.
extern std::optional<GridWindow> readWindow;
extern bool windowComparison;

// The reads of the last data set through the window: the DEM's, and the comparison's when
// it was windowed.
extern std::optional<WindowRead> demWindowRead, comparisonWindowRead;

// The piece of a grid of gridRows x gridCols that a read of window w takes; nullopt when the
// window is empty or does not lie wholly inside the grid.
std::optional<WindowRead> windowPiece(const GridWindow& w, int gridRows, int gridCols);

// Why a window does not fit a grid, for the refusal naming the file.
std::string windowProblem(const GridWindow& w, int gridRows, int gridCols);

// The size of the grid in a file (a text grid's header, a raster's size) without reading
// its heights; false, with the reason, when it cannot be read.
bool gridFileSize(const std::string& path, int& rows, int& cols, std::string& why);

void resetGridWindow();
