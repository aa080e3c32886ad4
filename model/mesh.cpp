// The mesh: two triangles per grid cell, in view units. Grid point (r, c) of height h
// maps to
//   x = (c * cellsize - movex) * scalefactor
//   y = (r * cellsize - movey) * scalefactor
//   z = (h - zcenter) * zscale
// so the grid is centred on the origin and its longer side spans less than 2 units.
// Each cell is split along the diagonal from (r + 1, c) to (r, c + 1):
//
//   (r, c) ---- (r, c+1)        record 2k:     P(r, c), P(r+1, c), P(r, c+1)
//     |       /    |            record 2k + 1: P(r, c+1), P(r+1, c), P(r+1, c+1)
//   (r+1, c) -- (r+1, c+1)

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iostream>
#include <new>
#include <vector>

#include "model/colour_codes.h"
#include "model/error.h"
#include "model/mountain.h"

namespace {

inline void put(float* vertex, float x, float y, float z)
{
    vertex[0] = x;
    vertex[1] = y;
    vertex[2] = z;
}

}  // namespace

void mountain::convert_to_triangles(int exaggeration)
{
    if (DEBUG) {
        std::cout << "Converting grid to triangles..." << std::endl;
        std::cout << "Grid resolution (cellsize): " << cellsize << std::endl;
    }
    exageration = static_cast<float>(exaggeration);
    if (DEBUG)
        std::cout << "Vertical exageration      : " << exageration << std::endl;

    // The extent uses the point count, not the cell count, times cellsize.
    const float extent = std::max(static_cast<float>(std::max(nrows, ncols)) * cellsize, zmax - zmin);
    scalefactor = 2 / extent;
    zscale = scalefactor * exageration;
    zcenter = (zmin + zmax) / 2;
    movex = (ncols - 1) * cellsize / 2;
    movey = (nrows - 1) * cellsize / 2;
    // No grid, no triangles (an empty model would otherwise count (-1) x (-2) of them).
    triangleCount = nrows > 0 && ncols > 0 ? (nrows - 1) * (2 * ncols - 2) : 0;
    if (DEBUG) {
        std::cout << "movex = " << movex << "  movey = " << movey << " scalefactor: " << scalefactor << std::endl;
        std::cout << "Number of triangles       : " << triangleCount << std::endl;
    }

    const bool fresh = !allocated || triangles == nullptr;
    if (fresh) {
        delete[] triangles;
        const std::size_t bytes = static_cast<std::size_t>(triangleCount) * sizeof(triangle);
        if (DEBUG)
            std::cout << "Attempting to allocate " << bytes << " (" << bytes / 1048576 << "M)"
                      << " bytes for triangles..." << std::endl;
        triangles = new (std::nothrow) triangle[static_cast<std::size_t>(triangleCount)];
        if (triangles == nullptr)
            error(NO_TRI);
        if (DEBUG)
            std::cout << "Successfully allocated memory for triangles" << std::endl;
        allocated = true;
    }

    // Every point is shared by up to six triangles: map each row of points once.
    std::vector<float> x(static_cast<std::size_t>(std::max(ncols, 0)));
    for (int c = 0; c < ncols; c++)
        x[c] = (c * cellsize - movex) * scalefactor;
    std::vector<float> zTop(x.size()), zBottom(x.size());
    auto mapRow = [&](int r, std::vector<float>& z) {
        const float* h = grid[r];
        for (int c = 0; c < ncols; c++)
            z[c] = (h[c] - zcenter) * zscale;
    };

    int written = 0;
    if (nrows > 1 && ncols > 1) {
        mapRow(0, zBottom);
        for (int r = 0; r < nrows - 1; r++) {
            zTop.swap(zBottom);
            mapRow(r + 1, zBottom);
            const float y0 = (r * cellsize - movey) * scalefactor;
            const float y1 = ((r + 1) * cellsize - movey) * scalefactor;
            triangle* t = triangles + static_cast<std::size_t>(r) * (2 * ncols - 2);
            for (int c = 0; c < ncols - 1; c++, t += 2) {
                put(t[0].v1, x[c], y0, zTop[c]);
                put(t[0].v2, x[c], y1, zBottom[c]);
                put(t[0].v3, x[c + 1], y0, zTop[c + 1]);
                put(t[1].v1, x[c + 1], y0, zTop[c + 1]);
                put(t[1].v2, x[c], y1, zBottom[c]);
                put(t[1].v3, x[c + 1], y1, zBottom[c + 1]);
                if (fresh) {
                    // No pass has run on a new array: show no error colour yet.
                    t[0].curveColor = t[1].curveColor = MOUNTAINGREEN;
                    t[0].diffColor = t[1].diffColor = MOUNTAINGREEN;
                }
            }
            written += 2 * (ncols - 1);
        }
    }
    if (DEBUG) {
        std::cout << "Number of triangles computed: " << written << std::endl;
        std::cout << "done" << std::endl;
    }
}

void mountain::compute_normals()
{
    if (DEBUG)
        std::cout << "Computing normals (" << triangleCount << " triangles)..." << std::endl;
    for (int i = 0; i < triangleCount; i++) {
        triangle& t = triangles[i];
        const float ux = t.v2[0] - t.v1[0], uy = t.v2[1] - t.v1[1], uz = t.v2[2] - t.v1[2];
        const float wx = t.v3[0] - t.v1[0], wy = t.v3[1] - t.v1[1], wz = t.v3[2] - t.v1[2];
        const float nx = uy * wz - uz * wy;
        const float ny = uz * wx - ux * wz;
        const float nz = ux * wy - uy * wx;
        const float length = std::sqrt(nx * nx + ny * ny + nz * nz);
        if (length > 0 && std::isfinite(length)) {
            t.normal[0] = nx / length;
            t.normal[1] = ny / length;
            t.normal[2] = nz / length;
        } else {
            // A degenerate triangle has no direction of its own: treat it as level ground.
            t.normal[0] = 0;
            t.normal[1] = 0;
            t.normal[2] = -1;
        }
        if (DEBUG && i % 100000 == 0)
            std::cout << "Done through " << i << " triangles" << std::endl;
    }
}
