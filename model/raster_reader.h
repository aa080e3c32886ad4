#pragma once
// Rasters that are not text grids: GeoTIFF, ERDAS Imagine and the other formats GDAL
// reads (model/gdal/raster_kind.cpp lists those read without --trust-raster). Band 1
// becomes the grid, read as floats, north row first as in a text grid; the geotransform
// gives the corner and the cellsize, the band's nodata value the nodata value. Refusals
// end the read with an "ERROR: " line naming the file, as the text reader's do.
//
// Which a file is, is decided by its content: a file whose first non-blank bytes begin
// a header word of a text grid is one, and GDAL is not even loaded for it; any other is
// a raster when one of the drivers claims it, and is read, and refused, as text when
// none does.

#include <memory>
#include <string>

class mountain;
class RasterSource;
struct RasterHeader;

// Rasters of any format GDAL reads are read, and they may read other files and URLs
// (a VRT mosaic, a /vsicurl/ path): the programs' --trust-raster. Off at start.
extern bool trustRasters;

// Whether the first non-blank bytes of the file begin one of the text reader's header
// words (ncols, nrows, xllcorner, yllcorner, cellsize, nodata) in any case, or there
// are none. Reads a few bytes; GDAL is not loaded.
bool startsAsTextGrid(const char* path);

// Whether the reader reads the file as a text grid: it starts as one, or no driver
// claims it (which loads GDAL). A raster of a kind that is not read untrusted is no
// text grid.
bool readsAsTextGrid(const char* path);

// With --trust-raster, a name that is no local file goes to GDAL as it is: a /vsicurl/
// URL, a /vsizip/ member, a NETCDF:file:variable subdataset.
bool namesGdalSource(const char* path);

class RasterFile {
public:
    // Opens path as a raster unless it reads as a text grid; refuses a raster that is
    // not read untrusted, that its driver cannot open, or that has no band.
    explicit RasterFile(const char* path);
    ~RasterFile();
    bool isOpen() const { return source != nullptr; }
    RasterFile(const RasterFile&) = delete;
    RasterFile& operator=(const RasterFile&) = delete;

    // The header fields of m from the raster. A raster that is rotated or whose pixels
    // are not square is refused.
    void header(mountain& m);
    // The rows and columns read after this are those of the piece: nrows x ncols passed to
    // readHeights are its size, and its first row and column are where it starts in the file.
    void readPiece(int firstRow, int firstCol)
    {
        pieceRow = firstRow;
        pieceCol = firstCol;
    }
    // Band 1 into rows (nrows x ncols as header gave), updating zmax and zmin after each
    // value as the text reader does.
    void readHeights(float* const* rows, int nrows, int ncols, float& zmin, float& zmax) const;

private:
    // Where the grid lies: the corner and cellsize from the geotransform, as read and as
    // floats; a corner that is not finite is refused.
    void place(mountain& m, const RasterHeader& h);
    // The nodata value and how raw values become heights.
    void takeValues(mountain& m, const RasterHeader& h);
    // Rows r .. r + n - 1, which follow one another in memory, from the file.
    void readBlock(float* const* rows, int r, int n, int ncols) const;
    void toHeights(float* row, int ncols) const;

    std::string path;
    std::unique_ptr<RasterSource> source;
    bool southUp = false;  // rows run south to north in the file
    int pieceRow = 0, pieceCol = 0;
    struct {
        bool signedBytes = false, scaled = false, nodata = false;
        double scale = 1, offset = 0;
        float rawNodata = 0, nodataHeight = 0;
    } values;
};
