#include "model/raster_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

#include "model/error.h"
#include "model/gdal_module.h"
#include "model/input_file.h"
#include "model/mountain.h"
#include "model/progress.h"

namespace {

std::string inParentheses(const std::string& message) { return message.empty() ? "" : " (" + message + ")"; }

[[noreturn]] void refuseRaster(const std::string& path, const std::string& reason)
{
    refuse("file \"" + path + "\": " + reason + "\n");
}

// A driver that claims text grids, which the text reader reads and refuses as it does.
bool textDriver(const std::string& driver) { return driver == "AAIGrid" || driver == "XYZ"; }

GdalModule* loadedGdal(const std::string& path)
{
    std::string why;
    GdalModule* gdal = gdalModule(why);
    if (gdal == nullptr)
        refuseRaster(path, "cannot be read as a raster: " + why);
    return gdal;
}

// The driver that reads path, "" for a text grid; refuses a raster that is not read.
std::string rasterDriver(const std::string& path, GdalModule* gdal)
{
    const RasterKind kind = gdal->identifyRaster(path, trustRasters);
    if (!kind.refusal.empty())
        refuseRaster(path, kind.refusal);
    return textDriver(kind.driver) ? "" : kind.driver;
}

}  // namespace

bool trustRasters = false;

bool startsAsTextGrid(const char* path)
{
    static const std::string keywords[] = {"ncols", "nrows", "xllcorner", "yllcorner", "cellsize", "nodata"};
    std::ifstream in(path, std::ios::binary);
    char bytes[256];
    in.read(bytes, sizeof bytes);
    const std::size_t length = static_cast<std::size_t>(in.gcount());
    std::size_t i = 0;
    while (i < length && std::isspace(static_cast<unsigned char>(bytes[i])))
        i++;
    if (i == length)
        return true;
    // A file that ends inside a keyword begins it too.
    for (const std::string& k : keywords) {
        const std::size_t n = std::min(k.size(), length - i);
        std::size_t j = 0;
        while (j < n && std::tolower(static_cast<unsigned char>(bytes[i + j])) == k[j])
            j++;
        if (j == n)
            return true;
    }
    return false;
}

bool readsAsTextGrid(const char* path)
{
    if (startsAsTextGrid(path))
        return true;
    std::string why;
    GdalModule* gdal = gdalModule(why);
    if (gdal == nullptr)
        return false;
    const RasterKind kind = gdal->identifyRaster(path, trustRasters);
    return kind.refusal.empty() && (kind.driver.empty() || textDriver(kind.driver));
}

bool namesGdalSource(const char* path) { return trustRasters && inputProblem(path) == "not found"; }

RasterFile::RasterFile(const char* name) : path(name)
{
    if (startsAsTextGrid(name) && !namesGdalSource(name))
        return;
    GdalModule* gdal = loadedGdal(path);
    const std::string driver = rasterDriver(path, gdal);
    if (driver.empty())
        return;
    std::string why;
    source = gdal->openRaster(path, driver, trustRasters, why);
    if (source == nullptr)
        refuseRaster(path, "GDAL's " + driver + " driver cannot read it" + inParentheses(why));
    if (source->header().bands < 1) {
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
    place(m, h);
    takeValues(m, h);
    m.geographic = h.geographic;
    m.projection = h.projection;
}

void RasterFile::place(mountain& m, const RasterHeader& h)
{
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
    m.xllRead = t[0];
    m.yllRead = southUp ? t[3] : t[3] + m.nrows * t[5];
    m.cellsizeRead = t[1];
    m.cellsize = static_cast<float>(t[1]);
    m.xllcorner = static_cast<float>(m.xllRead);
    m.yllcorner = static_cast<float>(m.yllRead);
    if (!std::isfinite(m.xllcorner) || !std::isfinite(m.yllcorner)) {
        std::ostringstream corner;
        corner.precision(12);
        corner << m.xllRead << ", " << m.yllRead;
        refuseRaster(path, "its lower left corner (" + corner.str() + ") is not a finite position");
    }
}

// A raw value becomes a height in this order: a signed byte is read as signed; a value
// equal to the band's nodata value (which is raw, as GDAL gives it) is nodata, and
// becomes the nodata value scaled like any other; the rest become raw x scale + offset.
// Scaling is in double, rounded once to float; without scale and offset (1 and 0) the
// values stay the floats GDAL gives, bit for bit.
void RasterFile::takeValues(mountain& m, const RasterHeader& h)
{
    values.signedBytes = h.signedBytes;
    values.scaled = h.scale != 1 || h.offset != 0;
    values.scale = h.scale;
    values.offset = h.offset;
    if (values.scaled && !(std::isfinite(h.scale) && h.scale != 0 && std::isfinite(h.offset))) {
        std::ostringstream rule;
        rule << "its scale " << h.scale << " and offset " << h.offset << " give no heights";
        refuseRaster(path, rule.str());
    }
    values.nodata = m.hasNodata = h.hasNodata;
    values.rawNodata = static_cast<float>(h.nodata);
    m.nodataRead = !m.hasNodata ? 0.0 : values.scaled ? h.nodata * h.scale + h.offset : h.nodata;
    m.nodata_value = m.hasNodata ? static_cast<float>(m.nodataRead) : 0.0f;
    values.nodataHeight = m.nodata_value;
}

void RasterFile::toHeights(float* row, int ncols) const
{
    for (float* v = row; v < row + ncols; v++) {
        float raw = *v;
        if (values.signedBytes && raw > 127)
            raw -= 256;
        if (!values.scaled)
            *v = raw;
        else if (values.nodata && (raw == values.rawNodata || (raw != raw && values.rawNodata != values.rawNodata)))
            *v = values.nodataHeight;
        else
            *v = static_cast<float>(double(raw) * values.scale + values.offset);
    }
}

// Rows are read a block of about a million heights at a time: GDAL's cost is per call,
// and a grid of one column has a row per height.
void RasterFile::readHeights(float* const* rows, int nrows, int ncols, float& zmin, float& zmax) const
{
    // A NaN or an infinity is no height and takes no part in the range.
    const float largest = std::numeric_limits<float>::max();
    float low = zmin, high = zmax;
    const int block = std::max(1, (1 << 20) / ncols);
    for (int r = 0; r < nrows;) {
        // The rows of a block follow one another in memory, as allocate() lays them out.
        int n = 1;
        while (n < block && r + n < nrows && rows[r + n] == rows[r] + std::size_t(n) * ncols)
            n++;
        readBlock(rows, r, n, ncols);
        for (int i = r; i < r + n; i++) {
            if (values.signedBytes || values.scaled)
                toHeights(rows[i], ncols);
            for (const float* v = rows[i]; v < rows[i] + ncols; v++) {
                if (*v > high && *v <= largest)
                    high = *v;
                if (low > *v && *v >= -largest)
                    low = *v;
            }
        }
        r += n;
        readProgress(double(r) / nrows);
    }
    zmin = low;
    zmax = high;
    readProgress(1);
}

void RasterFile::readBlock(float* const* rows, int r, int n, int ncols) const
{
    std::string why;
    // Rows of the file; a piece's rows are counted from the north in the grid as a whole.
    const int fileRows = source->header().nrows;
    auto fileRow = [&](int i) { return southUp ? fileRows - 1 - (pieceRow + i) : pieceRow + i; };
    const int first = southUp ? fileRow(r + n - 1) : fileRow(r);
    if (!source->readPart(first, n, pieceCol, ncols, rows[r], why)) {
        // Row by row, to name the first row that cannot be read.
        for (int i = r; i < r + n; i++)
            if (!source->readPart(fileRow(i), 1, pieceCol, ncols, rows[i], why))
                refuseRaster(path, "GDAL could not read row " + std::to_string(fileRow(i)) + inParentheses(why));
        return;
    }
    if (southUp)
        for (int i = 0; i < n / 2; i++)
            std::swap_ranges(rows[r + i], rows[r + i] + ncols, rows[r + n - 1 - i]);
}
