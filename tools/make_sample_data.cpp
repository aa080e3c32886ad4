// Writes the bundled sample data into the directory named on the command line:
//   mountain.grd                 the DEM
//   mountain_contours.grd        its contour raster at interval 20
//   mountain_from_contours.grd   a DEM interpolated from those contours
//   mountain_spots.grd           sparse spot heights

#include <iostream>
#include <string>

#include "model/grid_writer.h"
#include "tools/sample_terrain.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make-sample-data DIRECTORY\n";
        return 2;
    }
    const std::string dir = argv[1];
    const Terrain dem = sampleMountain();
    GridHeader plain = dem.header;
    plain.hasNodata = false;
    const std::vector<float> contours = contourRaster(dem, 20);
    bool ok = writeGridFile(dir + "/mountain.grd", dem.header, dem.heights);
    ok = writeGridFile(dir + "/mountain_contours.grd", plain, contours) && ok;
    ok = writeGridFile(dir + "/mountain_from_contours.grd", dem.header,
                       interpolateFromContours(dem.header, contours, dem.heights)) &&
         ok;
    ok = writeGridFile(dir + "/mountain_spots.grd", plain, spotHeights(dem, 400, 20061)) && ok;
    if (!ok) {
        std::cerr << "make-sample-data: cannot write into " << dir << "\n";
        return 1;
    }
    return 0;
}
