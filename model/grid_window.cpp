#include "model/grid_window.h"

#include <algorithm>

#include "model/error.h"
#include "model/grid_text.h"
#include "model/mountain.h"
#include "model/raster_reader.h"

std::optional<GridWindow> readWindow;
bool windowComparison = false;
std::optional<WindowRead> demWindowRead, comparisonWindowRead;

std::optional<WindowRead> windowPiece(const GridWindow& w, int gridRows, int gridCols)
{
    if (w.xsize < 1 || w.ysize < 1 || w.xoff < 0 || w.yoff < 0 || w.xoff > gridCols - w.xsize ||
        w.yoff > gridRows - w.ysize)
        return std::nullopt;
    WindowRead piece;
    piece.gridRows = gridRows;
    piece.gridCols = gridCols;
    piece.firstRow = std::max(0, w.yoff - 1);
    piece.firstCol = std::max(0, w.xoff - 1);
    piece.rows = std::min(gridRows, w.yoff + w.ysize + 1) - piece.firstRow;
    piece.cols = std::min(gridCols, w.xoff + w.xsize + 1) - piece.firstCol;
    return piece;
}

std::string windowProblem(const GridWindow& w, int gridRows, int gridCols)
{
    const std::string window = "the window " + std::to_string(w.xoff) + " " + std::to_string(w.yoff) + " " +
                               std::to_string(w.xsize) + " " + std::to_string(w.ysize);
    if (w.xsize < 1 || w.ysize < 1)
        return window + " is empty";
    return window + " does not lie inside the grid of " + std::to_string(gridRows) + " rows and " +
           std::to_string(gridCols) + " columns";
}

bool gridFileSize(const std::string& path, int& rows, int& cols, std::string& why)
{
    // The reader's refusals end in a ModelExit here, after their "ERROR: " line.
    const ReadingFailuresReturn failuresReturn;
    try {
        RasterFile raster(path.c_str());
        if (raster.isOpen()) {
            mountain m;
            raster.header(m);
            rows = m.nrows;
            cols = m.ncols;
            return true;
        }
        GridText in(path.c_str());
        if (!in.is_open()) {
            why = in.problem();
            return false;
        }
        std::string word;
        if ((in >> word) && word == "ncols" && (in >> cols) && (in >> word) && word == "nrows" && (in >> rows))
            return true;
        why = "its header gives no ncols and nrows";
        return false;
    } catch (const ModelExit&) {
        why = "it cannot be read";
        return false;
    }
}

void resetGridWindow()
{
    readWindow.reset();
    windowComparison = false;
    demWindowRead.reset();
    comparisonWindowRead.reset();
}
