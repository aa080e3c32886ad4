#include "view/coarse_frame.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "model/memory_need.h"
#include "model/mesh.h"
#include "model/mountain.h"
#include "view/view_state.h"

namespace {

// The view's frustum (reshape, view/my_window.cpp): from -0.2 to 0.2 at the near plane 18,
// over MAX pixels. A view unit at distance d from the eye spans MAX * 18 / (0.4 * d) pixels.
const double NEAR_PLANE = 18;
const double NEAR_WIDTH = 0.4;

CoarseMesh kept;
bool fullResolution = false;

// The sides of a fine cell in view units, shorter first, measured over the whole grid so
// that the rounding of single coordinates does not enter.
std::pair<float, float> cellSides(const mountain& m)
{
    const MeshGeometry mesh(m);
    const float across = std::fabs(mesh.x(m.ncols - 1) - mesh.x(0)) / float(m.ncols - 1);
    const float down = std::fabs(mesh.y(m.nrows - 1) - mesh.y(0)) / float(m.nrows - 1);
    return std::minmax(across, down);
}

// The pixels a length of view units spans seen from eyeDistance.
double pixelsOf(float length, float eyeDistance)
{
    return double(length) * MAX * NEAR_PLANE / (NEAR_WIDTH * double(eyeDistance));
}

// The step of the frame as drawn: filled cells must not shrink below a pixel, or a single
// worst cell falls between the pixel centres again; drawn as points (one a triangle),
// cells must not grow beyond half a pixel, or the background shows between the points.
int stepAsDrawn(const mountain& m)
{
    const auto [shorter, longer] = cellSides(m);
    const float eye = std::fabs(eyevalue);
    if (drawTriangles)
        return levelOfDetailStep(shorter, eye);
    const double pixels = pixelsOf(longer, eye);
    if (!(pixels > 0) || pixels >= 0.5 || !std::isfinite(pixels))
        return 1;
    return static_cast<int>(std::min(std::floor(0.5 / pixels), 1e9));
}

// The coarse levels beside what the grid holds, within what the machine or process may take.
bool fits(const mountain& m, std::uint64_t bytes)
{
    const MemoryLimit limit = memoryLimit();
    return limit.bytes == 0 || bytesNeeded(m.nrows, m.ncols, gridUse) + bytes <= limit.bytes;
}

// band[c] = max(band[c], row[c]) across a row, in blocks of 16 that the compiler turns into
// single vector instructions.
void foldRow(std::uint8_t* __restrict band, const std::uint8_t* __restrict row, int count)
{
    int c = 0;
    for (; c + 16 <= count; c += 16)
        for (int i = 0; i < 16; i++)
            band[c + i] = std::max(band[c + i], row[c + i]);
    for (; c < count; c++)
        band[c] = std::max(band[c], row[c]);
}

void takeLevels(std::vector<std::uint8_t>& out, const std::uint8_t* fine, int cellRows, int cellCols, int step,
                std::size_t count)
{
    if (fine == nullptr) {
        out.clear();
        return;
    }
    out.resize(count);
    worstLevels(fine, cellRows, cellCols, step, out.data());
}

}  // namespace

void worstLevels(const std::uint8_t* fine, int cellRows, int cellCols, int step, std::uint8_t* coarse)
{
    // A band of step fine rows is first folded into one row of column maxima, read in
    // memory order; the row then folds into the coarse cells across.
    std::vector<std::uint8_t> band(std::size_t(std::max(cellCols, 0)));
    const int cols = coarseCount(cellCols, step);
    for (int r0 = 0; r0 < cellRows; r0 += step) {
        const std::uint8_t* row = fine + std::size_t(r0) * std::size_t(cellCols);
        std::copy(row, row + cellCols, band.begin());
        for (int r = r0 + 1; r < std::min(r0 + step, cellRows); r++)
            foldRow(band.data(), fine + std::size_t(r) * std::size_t(cellCols), cellCols);
        std::uint8_t* out = coarse + std::size_t(r0 / step) * std::size_t(cols);
        for (int c0 = 0; c0 < cellCols; c0 += step)
            out[c0 / step] = *std::max_element(band.begin() + c0, band.begin() + std::min(c0 + step, cellCols));
    }
}

std::uint64_t coarseMeshBytes(int cellRows, int cellCols, int step, bool curve, bool diff)
{
    const std::uint64_t cells = std::uint64_t(coarseCount(cellRows, step)) * std::uint64_t(coarseCount(cellCols, step));
    return cells * (unsigned(curve) + unsigned(diff)) + std::uint64_t(std::max(cellCols, 0));
}

CoarseMesh coarseMesh(int cellRows, int cellCols, const std::uint8_t* curve, const std::uint8_t* diff, int step,
                      CoarseMesh&& room)
{
    CoarseMesh mesh = std::move(room);
    mesh.step = step;
    mesh.rows = coarseCount(cellRows, step);
    mesh.cols = coarseCount(cellCols, step);
    const std::size_t count = std::size_t(mesh.rows) * std::size_t(mesh.cols);
    takeLevels(mesh.curveLevels, curve, cellRows, cellCols, step, count);
    takeLevels(mesh.diffLevels, diff, cellRows, cellCols, step, count);
    return mesh;
}

int levelOfDetailStep(float cellLength, float eyeDistance)
{
    const double pixels = pixelsOf(cellLength, eyeDistance);
    if (!(pixels > 0) || pixels >= 1 || !std::isfinite(pixels))
        return 1;
    return static_cast<int>(std::min(std::ceil(1 / pixels), 1e9));
}

const CoarseMesh* stillLevelOfDetail(const mountain& m)
{
    if (fullResolution || m.cellCount() <= LEVEL_OF_DETAIL_CELLS)
        return nullptr;
    const int step = std::min(stepAsDrawn(m), std::max(m.nrows, m.ncols));
    if (step <= 1)
        return nullptr;
    const int cellRows = m.nrows - 1, cellCols = m.ncols - 1;
    const bool curve = drawCurveColor, diff = drawDiffColor || drawDiff;
    const std::uint64_t bytes = coarseMeshBytes(cellRows, cellCols, step, curve, diff);
    const std::uint64_t held = kept.curveLevels.capacity() + kept.diffLevels.capacity();
    if (bytes > held && !fits(m, bytes)) {
        kept = CoarseMesh();
        return nullptr;
    }
    try {
        kept = coarseMesh(cellRows, cellCols, curve ? m.curveLevels.data() : nullptr,
                          diff ? m.diffLevels.data() : nullptr, step, std::move(kept));
    } catch (const std::bad_alloc&) {
        kept = CoarseMesh();
        return nullptr;
    }
    return &kept;
}

bool fullResolutionFrames() { return fullResolution; }

void setFullResolutionFrames(bool on) { fullResolution = on; }

void resetCoarseFrame()
{
    fullResolution = false;
    kept = CoarseMesh();
}
