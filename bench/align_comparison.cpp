// The alignment of a comparison grid onto a DEM's grid: a 4000 x 4000 DEM and a 1000 x 1000
// reference on another grid, once in the DEM's coordinate system and once in geographic
// coordinates (reprojected), for each resampling. Prints the wall time of each alignment in
// seconds; GDAL's start-up is paid before the first timing.
//   bench-align-comparison [DEM_SIZE [REFERENCE_SIZE]]

#include <chrono>
#include <ctime>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/align_comparison.h"
#include "model/error.h"

namespace {

const char* const utm32 =
    "PROJCS[\"WGS 84 / UTM zone 32N\",GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563]],"
    "PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]],PROJECTION[\"Transverse_Mercator\"],"
    "PARAMETER[\"latitude_of_origin\",0],PARAMETER[\"central_meridian\",9],PARAMETER[\"scale_factor\",0.9996],"
    "PARAMETER[\"false_easting\",500000],PARAMETER[\"false_northing\",0],UNIT[\"metre\",1],AUTHORITY[\"EPSG\","
    "\"32632\"]]";
const char* const wgs84 =
    "GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563]],PRIMEM[\"Greenwich\",0],"
    "UNIT[\"degree\",0.0174532925199433],AUTHORITY[\"EPSG\",\"4326\"]]";

// "0.42 s wall, 0.31 s processor, 16000000 points"
std::string timed(const GridFrame& dem, const ComparisonGrid& reference, Resampling how)
{
    const std::clock_t processor = std::clock();
    const auto begin = std::chrono::steady_clock::now();
    const AlignedComparison a = alignComparison(dem, reference, DEM, how);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - begin;
    const double used = double(std::clock() - processor) / CLOCKS_PER_SEC;
    if (!a.problem.empty())
        return "refused: " + a.problem;
    std::ostringstream out;
    out.precision(3);
    out << wall.count() << " s wall, " << used << " s processor, " << a.points << " points";
    return out.str();
}

}  // namespace

int main(int argc, char** argv)
{
    const int n = argc > 1 ? std::atoi(argv[1]) : 4000, m = argc > 2 ? std::atoi(argv[2]) : 1000;
    // The DEM: 1 m cells near 9 E 47 N; the reference 4.1 m cells, shifted, over most of it.
    GridFrame dem{n, n, 500000, 5200000, 1, ""};
    std::vector<float> values(std::size_t(m) * m);
    std::vector<const float*> rows(static_cast<std::size_t>(m));
    for (int r = 0; r < m; r++) {
        rows[std::size_t(r)] = values.data() + std::size_t(r) * m;
        for (int c = 0; c < m; c++)
            values[std::size_t(r) * m + c] = float(500 + 50 * std::sin(r * 0.01) * std::cos(c * 0.013));
    }
    ComparisonGrid reference{rows.data(), {m, m, 0, 0, 0, ""}, true, -9999};
    reference.frame = {m, m, 499990.3, 5199987.7, 4.1, ""};
    ComparisonGrid geographic = reference;
    geographic.frame = {m, m, 8.99995, 46.9489, 4.1 / 78000, wgs84};  // about 4 m cells
    const struct {
        const char* name;
        Resampling how;
    } ways[] = {{"nearest", Resampling::nearest}, {"bilinear", Resampling::bilinear}, {"cubic", Resampling::cubic}};
    timed(GridFrame{8, 8, 500000, 5200000, 1, ""}, reference, Resampling::nearest);  // GDAL's start-up
    for (const auto& way : ways) {
        std::cout << n << " x " << n << " DEM, " << m << " x " << m << " reference, " << way.name << ": "
                  << timed(dem, reference, way.how) << "\n";
        dem.projection = utm32;
        std::cout << "  reprojected from geographic: " << timed(dem, geographic, way.how) << "\n";
        dem.projection = "";
    }
    return 0;
}
