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

#include "model/mesh.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <iostream>
#include <limits>
#include <new>

#ifdef __SSE2__
#include <xmmintrin.h>
#endif

#include "model/colour_codes.h"
#include "model/error.h"
#include "model/mountain.h"
#include "model/prefault.h"

namespace {

// Words 0-8 of a cell's two records: P(r, c), P(r+1, c), P(r, c+1) and P(r, c+1),
// P(r+1, c), P(r+1, c+1), from the columns' x, the rows' y and the corners' z. The
// normal and colour words are left as they are.
inline void writeCell(triangle* t, float x0, float x1, float y0, float y1, float top0, float top1, float bottom0,
                      float bottom1)
{
#ifdef __SSE2__
    _mm_storeu_ps(t[0].v1, _mm_setr_ps(x0, y0, top0, x0));          // v1, v2 x
    _mm_storeu_ps(t[0].v2 + 1, _mm_setr_ps(y1, bottom0, x1, y0));   // v2 y z, v3 x y
    t[0].v3[2] = top1;
    _mm_storeu_ps(t[1].v1, _mm_setr_ps(x1, y0, top1, x0));
    _mm_storeu_ps(t[1].v2 + 1, _mm_setr_ps(y1, bottom0, x1, y1));
    t[1].v3[2] = bottom1;
#else
    const float a[9] = {x0, y0, top0, x0, y1, bottom0, x1, y0, top1};
    const float b[9] = {x1, y0, top1, x0, y1, bottom0, x1, y1, bottom1};
    std::memcpy(t[0].v1, a, sizeof a);
    std::memcpy(t[1].v1, b, sizeof b);
#endif
}

// n = u x w with u = B - A and w = C - A, then each component divided by |n|.
inline void normalOf(triangle& t)
{
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
}

#ifdef __SSE2__
// normalOf on four records at once: the same operations in the same order, each lane
// rounded as the scalar code rounds.
inline void normalsOfFour(triangle* t)
{
    __m128 a0 = _mm_loadu_ps(t[0].v1), a1 = _mm_loadu_ps(t[1].v1), a2 = _mm_loadu_ps(t[2].v1),
           a3 = _mm_loadu_ps(t[3].v1);
    _MM_TRANSPOSE4_PS(a0, a1, a2, a3);  // A x, A y, A z, B x
    __m128 b0 = _mm_loadu_ps(t[0].v2 + 1), b1 = _mm_loadu_ps(t[1].v2 + 1), b2 = _mm_loadu_ps(t[2].v2 + 1),
           b3 = _mm_loadu_ps(t[3].v2 + 1);
    _MM_TRANSPOSE4_PS(b0, b1, b2, b3);  // B y, B z, C x, C y
    const __m128 cz = _mm_setr_ps(t[0].v3[2], t[1].v3[2], t[2].v3[2], t[3].v3[2]);
    const __m128 ux = _mm_sub_ps(a3, a0), uy = _mm_sub_ps(b0, a1), uz = _mm_sub_ps(b1, a2);
    const __m128 wx = _mm_sub_ps(b2, a0), wy = _mm_sub_ps(b3, a1), wz = _mm_sub_ps(cz, a2);
    const __m128 nx = _mm_sub_ps(_mm_mul_ps(uy, wz), _mm_mul_ps(uz, wy));
    const __m128 ny = _mm_sub_ps(_mm_mul_ps(uz, wx), _mm_mul_ps(ux, wz));
    const __m128 nz = _mm_sub_ps(_mm_mul_ps(ux, wy), _mm_mul_ps(uy, wx));
    const __m128 length =
        _mm_sqrt_ps(_mm_add_ps(_mm_add_ps(_mm_mul_ps(nx, nx), _mm_mul_ps(ny, ny)), _mm_mul_ps(nz, nz)));
    // 0 < length < infinity, false for NaN as the scalar test is.
    const __m128 usable = _mm_and_ps(_mm_cmpgt_ps(length, _mm_setzero_ps()),
                                     _mm_cmplt_ps(length, _mm_set1_ps(std::numeric_limits<float>::infinity())));
    __m128 x = _mm_and_ps(usable, _mm_div_ps(nx, length));
    __m128 y = _mm_and_ps(usable, _mm_div_ps(ny, length));
    __m128 z = _mm_or_ps(_mm_and_ps(usable, _mm_div_ps(nz, length)), _mm_andnot_ps(usable, _mm_set1_ps(-1.0f)));
    __m128 unused = _mm_setzero_ps();
    _MM_TRANSPOSE4_PS(x, y, z, unused);
    const __m128 normals[4] = {x, y, z, unused};
    for (int j = 0; j < 4; j++) {
        // Three words only: the next one is the curvature colour.
        _mm_storel_pi(reinterpret_cast<__m64*>(t[j].normal), normals[j]);
        _mm_store_ss(t[j].normal + 2, _mm_movehl_ps(normals[j], normals[j]));
    }
}
#endif

}  // namespace

MeshPass::MeshPass(mountain& mesh, int exaggeration) : m(mesh)
{
    if (DEBUG) {
        std::cout << "Converting grid to triangles..." << std::endl;
        std::cout << "Grid resolution (cellsize): " << m.cellsize << std::endl;
    }
    m.exageration = static_cast<float>(exaggeration);
    if (DEBUG)
        std::cout << "Vertical exageration      : " << m.exageration << std::endl;

    // The extent uses the point count, not the cell count, times cellsize.
    const float extent = std::max(static_cast<float>(std::max(m.nrows, m.ncols)) * m.cellsize, m.zmax - m.zmin);
    m.scalefactor = 2 / extent;
    m.zscale = m.scalefactor * m.exageration;
    m.zcenter = (m.zmin + m.zmax) / 2;
    m.movex = (m.ncols - 1) * m.cellsize / 2;
    m.movey = (m.nrows - 1) * m.cellsize / 2;
    // No grid, no triangles (an empty model would otherwise count (-1) x (-2) of them).
    m.triangleCount = m.nrows > 0 && m.ncols > 0 ? (m.nrows - 1) * (2 * m.ncols - 2) : 0;
    if (DEBUG) {
        std::cout << "movex = " << m.movex << "  movey = " << m.movey << " scalefactor: " << m.scalefactor
                  << std::endl;
        std::cout << "Number of triangles       : " << m.triangleCount << std::endl;
    }

    fresh = !allocated || m.triangles == nullptr;
    if (fresh) {
        delete[] m.triangles;
        m.triangles = nullptr;
        const std::size_t count = static_cast<std::size_t>(std::max(m.triangleCount, 0));
        const std::size_t bytes = count * sizeof(triangle);
        if (DEBUG)
            std::cout << "Attempting to allocate " << bytes << " (" << bytes / 1048576 << "M)"
                      << " bytes for triangles..." << std::endl;
        m.triangles = new (std::nothrow) triangle[count];
        if (m.triangles == nullptr)
            error(NO_TRI);
        ahead.start(m.triangles, bytes);
        if (DEBUG)
            std::cout << "Successfully allocated memory for triangles" << std::endl;
        allocated = true;
    }

    // Every point is shared by up to six triangles: map each column and row once.
    x.resize(static_cast<std::size_t>(std::max(m.ncols, 0)));
    for (int c = 0; c < m.ncols; c++)
        x[c] = (c * m.cellsize - m.movex) * m.scalefactor;
    zTop.resize(x.size());
    zBottom.resize(x.size());
}

void MeshPass::mapRow(int r, std::vector<float>& z) const
{
    const float* h = m.grid[r];
    const float center = m.zcenter, scale = m.zscale;
    for (int c = 0; c < m.ncols; c++)
        z[c] = (h[c] - center) * scale;
}

void MeshPass::cellRows(int first, int end)
{
    if (m.nrows < 2 || m.ncols < 2)
        return;
    const int cells = m.ncols - 1;
    for (int r = first; r < end; r++) {
        if (bottomRow == r)
            zTop.swap(zBottom);
        else
            mapRow(r, zTop);
        mapRow(r + 1, zBottom);
        bottomRow = r + 1;
        const float y0 = (r * m.cellsize - m.movey) * m.scalefactor;
        const float y1 = ((r + 1) * m.cellsize - m.movey) * m.scalefactor;
        const float* top = zTop.data();
        const float* bottom = zBottom.data();
        triangle* t = m.triangles + static_cast<std::size_t>(r) * (2 * cells);
        if (fresh)
            ahead.waitFor(t + 2 * cells);
        for (int c = 0; c < cells; c++, t += 2) {
            // The records ahead are not in the cache yet: ask for them before writing.
            __builtin_prefetch(t + 24, 1);
            writeCell(t, x[c], x[c + 1], y0, y1, top[c], top[c + 1], bottom[c], bottom[c + 1]);
            if (fresh) {
                // No pass has run on a new array: show no error colour yet.
                t[0].curveColor = t[1].curveColor = MOUNTAINGREEN;
                t[0].diffColor = t[1].diffColor = MOUNTAINGREEN;
            }
        }
        written += 2 * cells;
    }
}

void MeshPass::finish()
{
    if (DEBUG) {
        std::cout << "Number of triangles computed: " << written << std::endl;
        std::cout << "done" << std::endl;
    }
}

void mountain::convert_to_triangles(int exaggeration)
{
    MeshPass pass(*this, exaggeration);
    pass.cellRows(0, std::max(nrows - 1, 0));
    pass.finish();
}

NormalsPass::NormalsPass(mountain& mesh) : m(mesh)
{
    if (DEBUG)
        std::cout << "Computing normals (" << m.triangleCount << " triangles)..." << std::endl;
}

void NormalsPass::cellRows(int first, int end)
{
    const int perRow = 2 * (m.ncols - 1);
    records(first * perRow, end * perRow);
}

void NormalsPass::records(int first, int end)
{
    int i = first;
#ifdef __SSE2__
    for (; i + 4 <= end; i += 4)
        normalsOfFour(m.triangles + i);
#endif
    for (; i < end; i++)
        normalOf(m.triangles[i]);
    if (DEBUG)
        for (int k = (first + 99999) / 100000 * 100000; k < end; k += 100000)
            std::cout << "Done through " << k << " triangles" << std::endl;
}

void mountain::compute_normals()
{
    NormalsPass pass(*this);
    pass.records(0, triangleCount);
}
