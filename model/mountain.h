#pragma once
// The terrain model: one DEM grid in memory with what its mesh keeps (the scaling into
// view units and the curvature and difference levels of its cells). `mt` holds the DEM,
// `rd` the comparison data set. The mesh itself is derived from the heights where it is
// drawn (model/mesh.h); the passes' figures are kept by their modules (analysis/).

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "model/grid_view.h"
#include "model/large_memory.h"

// Model options, set by the programs' switches.
extern bool maskNodata;      // leave out the cells that touch a nodata point; off at start
extern bool cellsInDegrees;  // cellsize is in degrees, heights in metres; off at start
const float metresPerDegree = 111320.0f;

struct randomHeight;
class GridText;
class RasterFile;

class mountain {
public:
    mountain() = default;
    ~mountain();
    mountain(const mountain&) = delete;
    mountain& operator=(const mountain&) = delete;

    // Header fields of the grid file.
    int nrows = 0;
    int ncols = 0;
    float xllcorner = 0;
    float yllcorner = 0;
    float cellsize = 0;  // as read; in degrees for a geographic grid (see groundCellsize)
    float nodata_value = 0;
    // The same header as read, in double precision, for georeferenced outputs and map
    // coordinates: a float rounds a corner such as 612345.37 to 612345.375.
    double xllRead = 0, yllRead = 0, cellsizeRead = 0, nodataRead = 0;
    bool hasNodata = false;   // the file gives a nodata value (a nodata line or a raster's)
    long long nonFinite = 0;  // heights that are NaN or infinite; only a raster holds them
    bool geographic = false;  // a raster whose coordinate system is geographic
    std::string projection;   // a raster's coordinate system (WKT), "" for a text grid

    float** grid = nullptr;  // grid[row][col]; row 0 is the file's first row of values

    // What the passes decide per cell, cell k = r * (ncols - 1) + c in row order: the
    // curvature level 0-3 and the difference level 0-4 (0: no error colour).
    LargeVector<std::uint8_t> curveLevels;
    LargeVector<std::uint8_t> diffLevels;

    // Scaling into view units, set by convert_to_triangles.
    float scalefactor = 0;
    float movex = 0;
    float movey = 0;
    float zcenter = 0;
    float zscale = 0;

    // The range of the valid heights; before any, empty (zmin above zmax), so that the
    // first valid height replaces both.
    float zmin = std::numeric_limits<float>::infinity();
    float zmax = -std::numeric_limits<float>::infinity();

    int triangleCount = 0;
    float exageration = 1.0f;

    virtual void setContourInt(int) {}
    virtual int getContourInt() { return 0; }

    // Reading (model/grid_reader.cpp). names[index - 1] is the file; index 1 reads a DEM,
    // any other index comparison data. A file whose first non-blank bytes are text is a
    // text grid; any other is read through GDAL (model/raster_reader.cpp). Failures end
    // the process with an "ERROR: " line.
    void readgridfile(const char* const* names, int index);
    void readgrid(GridText& in);
    void readrawdata(GridText& in);
    void readRaster(RasterFile& raster, int index);
    // A comparison set's interval, when nobody preset it, from its first levels.
    void inferContourInterval();

    // Validity of points and cells, by validHeight: a NaN or an infinity is never a height,
    // and with nodata masking on neither is the nodata value. Masking is in force where
    // either can occur; a cell (r, c) is then masked when a point its triangles or its
    // curvature read is not valid: (r, c), (r + 1, c), (r, c + 1), (r + 1, c + 1), and for
    // r, c >= 1 also (r - 1, c) and (r, c - 1). Without it every point is valid and no
    // cell is masked.
    bool validPoint(int row, int col) const
    {
        return !masking() || validHeight(grid[row][col], nodataMasked(), nodata_value);
    }
    bool cellMasked(int row, int col) const;
    bool masking() const { return nodataMasked() || nonFinite > 0; }
    bool nodataMasked() const { return maskNodata && hasNodata; }
    // Sets the height range to that of the valid points; with none it stays as it is.
    void computeRange();

    // The distance between neighbouring points in the heights' unit, for everything that
    // compares it with heights (mesh, gradient, profile): cellsize, or with cells in
    // degrees cellsize x 111320 m, the north-south length of a cell.
    float groundCellsize() const { return cellsInDegrees ? cellsize * metresPerDegree : cellsize; }
    // The same between neighbours in a row: cellsize, or with cells in degrees the
    // north-south length x cos(latitude of the grid's centre) (model/ground_cell.h).
    float groundEastWest() const { return cellsInDegrees ? groundCellsize() * eastWestShare() : cellsize; }
    // A text grid whose cellsize and corners look like degrees.
    bool looksGeographic() const;

    int getRows() const { return nrows; }
    int getCols() const { return ncols; }
    int gridsize() const { return nrows * ncols; }
    // Cells of the grid: (nrows - 1) x (ncols - 1), none without a row or column of them.
    std::size_t cellCount() const
    {
        return nrows > 1 && ncols > 1 ? std::size_t(nrows - 1) * std::size_t(ncols - 1) : 0;
    }
    float getElev(int row, int col) const { return grid[row][col]; }  // no bounds check
    // The grid as the analysis kernels take it, with the masking and cell lengths in force.
    GridView view() const
    {
        GridView v;
        v.rows = grid;
        v.nrows = nrows;
        v.ncols = ncols;
        v.xllcorner = xllRead;
        v.yllcorner = yllRead;
        v.cellsize = cellsizeRead;
        v.groundX = groundEastWest();
        v.groundY = groundCellsize();
        v.maskValue = nodataMasked();
        v.nodata = nodata_value;
        v.masking = masking();
        return v;
    }
    float getZmin() const { return zmin; }
    float getZmax() const { return zmax; }
    void getCoord(float& x, float& y, float& size) const;
    void reset();
    void vertExagPlus();
    void vertExagMinus();
    void vertExagReset();

    // Mesh (model/mesh.cpp): the scaling into view units, and on a new grid the cells'
    // levels, all 0. The normals are derived where the mesh is drawn; compute_normals
    // only writes the debug trace.
    void convert_to_triangles(int exaggeration);
    void compute_normals();

    // Analysis passes (analysis/), run on mt. The curvature, difference and height-class
    // passes publish their results in the one store each module owns, which the accessors
    // below read: any model answers with mt's.
    void compute_curve_color();
    void compute_diff_color();
    void computeHeightClasses();
    bool findSlope(int row, int col);

    const int* curveCounts() const;  // cells per curvature level, level 3 first
    float totalSq() const;           // the sum of the squared curvature values
    float maxCurve() const;          // the largest curvature value
    const int* diffCounts() const;   // cells per difference level, level 4 first
    // The height-class table: points per position in the contour interval it was made for,
    // and its smallest and largest entry; empty and 0 without one.
    const std::vector<int>& classes() const;
    int classMin() const;
    int classMax() const;
    int classInterval() const;
    int* getClasses();  // nullptr without a table
    bool heightClasses() const;
    // A table made for another interval must not be read with this one.
    bool heightClassesFor(int interval) const;
    void makeSparseFile(int n);
    int localMaximums(randomHeight* out);

    // Drawing into the current GL context (view/).
    void profilePlot();
    void drawgrid();
    void drawcoordsystem();

    // Frees the grid and the levels and returns every field to its value at construction;
    // used when the model must forget a data set.
    void discard();
    void releaseGrid();
    void releaseLevels();

    // Exchanges the header, the heights and their range with another model; the mesh and
    // the results stay. A file is read into a model aside and taken in only when good.
    void swapGrid(mountain& other);

private:
    // cos(latitude) of the header last asked about: the gradient asks for it per point.
    float eastWestShare() const;
    mutable struct {
        int nrows = -1;
        double yllcorner = 0, cellsize = 0;
        float share = 1;
    } shareMemo;
};

class rawdata : public mountain {
public:
    int contourInt = 0;  // contour interval in whole height units

    void setContourInt(int interval) override { contourInt = interval; }
    int getContourInt() override { return contourInt; }

    float getGrid(int row, int col) const { return grid[row][col]; }  // no bounds check

    using mountain::swapGrid;
    void swapGrid(rawdata& other);  // the contour interval goes with the grid

    // The RMSE of mt against this set (comparisonRmse, analysis/accuracy.h). Ends the process
    // with the DIV0 message when no point is compared; callers that must not end use tryRmse.
    float rmse();
    bool tryRmse(float& value);
};

extern mountain mt;
extern rawdata rd;

extern bool DEBUG;       // console diagnostics; nothing in the program sets it
extern bool allocated;   // the level arrays of the current DEM exist and are reused
extern bool sparseData;  // a comparison file has been read

// A table of rows pointers to rows of cols floats, all in one block of large memory
// (values 0); ends the process with ARRAY1 or ARRAY2 when memory runs out.
float** allocate(int rows, int cols);
void releaseRows(float** rows);

// True when rd holds a grid of exactly mt's size, so both can be indexed together.
bool comparisonMatchesDem();

// Puts mt, rd and the model's globals back to their start-up values (tests use it).
void resetModel();
