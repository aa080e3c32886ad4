#include "model/raster_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

#include "model/error.h"
#include "model/gdal_module.h"
#include "model/mountain.h"
#include "model/progress.h"

namespace {

std::string inParentheses(const std::string& message) { return message.empty() ? "" : " (" + message + ")"; }

[[noreturn]] void refuseRaster(const std::string& path, const std::string& reason)
{
    refuse("file \"" + path + "\": " + reason + "\n");
}

bool isText(unsigned char c) { return (c >= 0x20 && c < 0x7f) || (c >= '\t' && c <= '\r'); }

}  // namespace
bool startsAsText(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    char bytes[4096];
    in.read(bytes, sizeof bytes);
    const std::streamsize length = in.gcount();
    std::streamsize i = 0;
    while (i < length && std::isspace(static_cast<unsigned char>(bytes[i])))
        i++;
    // Four bytes tell the binary formats from text: a TIFF starts "II*\0" or "MM\0*".
    for (std::streamsize end = std::min<std::streamsize>(length, i + 4); i < end; i++)
        if (!isText(static_cast<unsigned char>(bytes[i])))
            return false;
    return true;
}

RasterFile::RasterFile(const char* name) : path(name)
{
    std::string why;
    GdalModule* gdal = gdalModule(why);
    if (gdal == nullptr)
        refuseRaster(path, "cannot be read as a raster: " + why);
    source = gdal->openRaster(path, why);
    if (source != nullptr && source->header().bands < 1) {
        source.reset();
        refuseRaster(path, "the raster has no band");
    }
}

RasterFile::~RasterFile() = default;

void RasterFile::header(mountain& m)
{
    const RasterHeader& h = source->header();
    m.ncols = h.ncols;
    m.nrows = h.nrows;
    // Without a geotransform a raster has pixels of 1 with its corner at the origin.
    double t[6] = {0, 1, 0, double(m.nrows), 0, -1};
    if (h.georeferenced)
        std::copy(h.transform, h.transform + 6, t);
    std::ostringstream size;
    size.precision(12);
    size << t[1] << " x " << std::fabs(t[5]);
    if (t[2] != 0 || t[4] != 0)
        refuseRaster(path, "the raster is rotated");
    if (!(t[1] > 0) || std::fabs(std::fabs(t[5]) - t[1]) > 1e-9 * t[1])
        refuseRaster(path, "its pixels are not square (" + size.str() + ")");
    southUp = t[5] > 0;
    m.cellsize = static_cast<float>(t[1]);
    m.xllcorner = static_cast<float>(t[0]);
    m.yllcorner = static_cast<float>(southUp ? t[3] : t[3] + m.nrows * t[5]);

    m.hasNodata = h.hasNodata;
    m.nodata_value = m.hasNodata ? static_cast<float>(h.nodata) : 0.0f;
    m.xllRead = t[0];
    m.yllRead = southUp ? t[3] : t[3] + m.nrows * t[5];
    m.cellsizeRead = t[1];
    m.nodataRead = m.hasNodata ? h.nodata : 0.0;
    m.geographic = h.geographic;
    m.projection = h.projection;
}

void RasterFile::readHeights(float* const* rows, int nrows, int ncols, float& zmin, float& zmax) const
{
    std::string why;
    for (int r = 0; r < nrows; r++) {
        const int fileRow = southUp ? nrows - 1 - r : r;
        float* row = rows[r];
        if (!source->readRows(fileRow, 1, row, why))
            refuseRaster(path, "GDAL could not read row " + std::to_string(fileRow) + inParentheses(why));
        // A NaN or an infinity is no height and takes no part in the range.
        const float largest = std::numeric_limits<float>::max();
        float low = zmin, high = zmax;
        for (int c = 0; c < ncols; c++) {
            const float v = row[c];
            if (v > high && v <= largest)
                high = v;
            if (low > v && v >= -largest)
                low = v;
        }
        zmin = low;
        zmax = high;
        if (r % 64 == 63)
            readProgress(double(r + 1) / nrows);
    }
    readProgress(1);
}
