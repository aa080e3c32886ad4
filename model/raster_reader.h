#pragma once
// Rasters that are not text grids: GeoTIFF, BigTIFF and the other formats GDAL reads.
// Band 1 becomes the grid, read as floats, north row first as in a text grid; the
// geotransform gives the corner and the cellsize, the band's nodata value the nodata
// value. Refusals end the read with an "ERROR: " line naming the file, as the text
// reader's do.

#include <memory>
#include <string>

class mountain;
class RasterSource;

// Whether the first non-blank bytes of the file are text (printable ASCII): such a
// file is a text grid, whatever it holds after them. An empty file counts as text.
// A file that is neither text nor a raster GDAL opens is read, and refused, as text.
bool startsAsText(const char* path);

class RasterFile {
public:
    explicit RasterFile(const char* path);  // refuses a raster without a band
    ~RasterFile();
    bool isOpen() const { return source != nullptr; }
    RasterFile(const RasterFile&) = delete;
    RasterFile& operator=(const RasterFile&) = delete;

    // The header fields of m from the raster. A raster that is rotated or whose pixels
    // are not square is refused.
    void header(mountain& m);
    // Band 1 into rows (nrows x ncols as header gave), updating zmax and zmin after each
    // value as the text reader does.
    void readHeights(float* const* rows, int nrows, int ncols, float& zmin, float& zmax) const;

private:
    std::string path;
    std::unique_ptr<RasterSource> source;
    bool southUp = false;  // rows run south to north in the file
};
