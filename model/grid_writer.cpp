#include "model/grid_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <fstream>
#include <iomanip>
#include <ostream>

#include "model/gdal_module.h"
#include "model/mountain.h"
#include "model/output_file.h"

void writeHeader(std::ostream& out, const GridHeader& header)
{
    const std::streamsize precision = out.precision(12);
    out << "ncols " << header.ncols << "\n";
    out << "nrows " << header.nrows << "\n";
    out << "xllcorner " << header.xllcorner << "\n";
    out << "yllcorner " << header.yllcorner << "\n";
    out << "cellsize " << header.cellsize << "\n";
    if (header.hasNodata)
        out << "NODATA_value " << header.nodata << "\n";
    out.precision(precision);
}

namespace {

// One line per row, one space after every value, each value written by put.
template <typename Put>
void writeBody(std::ostream& out, int nrows, int ncols, const std::vector<float>& values, Put put)
{
    std::size_t i = 0;
    for (int r = 0; r < nrows; r++) {
        for (int c = 0; c < ncols; c++) {
            put(values[i++]);
            out << ' ';
        }
        out << '\n';
    }
}

}  // namespace

void writeGridBody(std::ostream& out, int nrows, int ncols, const std::vector<float>& values)
{
    writeBody(out, nrows, ncols, values, [&out](float v) { out << v; });
}

void writeGrid(std::ostream& out, const GridHeader& header, const std::vector<float>& values)
{
    writeHeader(out, header);
    writeGridBody(out, header.nrows, header.ncols, values);
}

bool writeGridFile(const std::string& path, const GridHeader& header, const std::vector<float>& values)
{
    std::ofstream out(path);
    if (!out)
        return false;
    writeGrid(out, header, values);
    return static_cast<bool>(out);
}

std::string exactFloat(float value)
{
    char text[32];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
    return std::string(text, end.ptr);
}

std::string exactDouble(double value)
{
    char text[32];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
    return std::string(text, end.ptr);
}

void writeExactGrid(std::ostream& out, const mountain& m, const std::vector<float>& values)
{
    out << "ncols " << m.ncols << "\n";
    out << "nrows " << m.nrows << "\n";
    out << "xllcorner " << exactDouble(m.xllRead) << "\n";
    out << "yllcorner " << exactDouble(m.yllRead) << "\n";
    out << "cellsize " << exactDouble(m.cellsizeRead) << "\n";
    writeBody(out, m.nrows, m.ncols, values, [&out](float v) { out << exactFloat(v); });
}

bool writeExactGridFile(const std::string& path, const mountain& m, const std::vector<float>& values)
{
    // The reader takes no "nan" or "inf": a grid that would hold one is not written.
    const float header[] = {m.xllcorner, m.yllcorner, m.cellsize};
    auto finite = [](float v) { return std::isfinite(v); };
    if (!std::all_of(std::begin(header), std::end(header), finite) ||
        !std::all_of(values.begin(), values.end(), finite))
        return false;
    return writeStreamSafely(path, [&](std::ostream& out) { writeExactGrid(out, m, values); });
}

namespace {

// The module keeps GDAL's own messages off the console; a failure shows in the result.
bool writeLevelTiff(const std::string& path, const mountain& m, const LargeVector<std::uint8_t>& levels)
{
    const std::uint8_t none = 255;
    std::string why;
    GdalModule* gdal = gdalModule(why);
    if (gdal == nullptr)
        return false;
    ByteRaster map;
    map.ncols = m.ncols;
    map.nrows = m.nrows;
    const double transform[6] = {m.xllRead, m.cellsizeRead, 0, m.yllRead + m.nrows * m.cellsizeRead, 0,
                                 -m.cellsizeRead};
    std::copy(transform, transform + 6, map.transform);
    map.projection = m.projection;
    map.hasNodata = true;
    map.nodata = none;
    map.row = [&](int r, std::uint8_t* row) {
        for (int c = 0; c < m.ncols; c++) {
            const bool cell = r + 1 < m.nrows && c + 1 < m.ncols && !m.cellMasked(r, c);
            row[c] = cell ? levels[std::size_t(r) * (m.ncols - 1) + c] : none;
        }
    };
    return gdal->writeByteGeoTiff(path, map, why);
}

}  // namespace

bool writeLevelMap(const std::string& path, const mountain& m, const LargeVector<std::uint8_t>& levels)
{
    if (levels.size() != m.cellCount())
        return false;
    return writeFileSafely(path, [&](const std::string& file) { return writeLevelTiff(file, m, levels); });
}

bool writeFloatGridFile(const std::string& path, const mountain& m, const float* const* rows, std::string& why)
{
    GdalModule* gdal = gdalModule(why);
    if (gdal == nullptr)
        return false;
    FloatRaster raster;
    raster.ncols = m.ncols;
    raster.nrows = m.nrows;
    const double transform[6] = {m.xllRead, m.cellsizeRead, 0, m.yllRead + double(m.nrows) * m.cellsizeRead, 0,
                                 -m.cellsizeRead};
    std::copy(transform, transform + 6, raster.transform);
    raster.projection = m.projection;
    raster.row = [&](int r, float* out) { std::copy(rows[r], rows[r] + m.ncols, out); };
    return writeFileSafely(path, [&](const std::string& file) { return gdal->writeFloatGeoTiff(file, raster, why); });
}
