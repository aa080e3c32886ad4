#include "tools/grid_writer.h"

#include <fstream>
#include <iomanip>
#include <ostream>

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

void writeGrid(std::ostream& out, const GridHeader& header, const std::vector<float>& values)
{
    writeHeader(out, header);
    std::size_t i = 0;
    for (int r = 0; r < header.nrows; r++) {
        for (int c = 0; c < header.ncols; c++)
            out << values[i++] << " ";
        out << "\n";
    }
}

bool writeGridFile(const std::string& path, const GridHeader& header, const std::vector<float>& values)
{
    std::ofstream out(path);
    if (!out)
        return false;
    writeGrid(out, header, values);
    return static_cast<bool>(out);
}
