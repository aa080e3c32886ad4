#pragma once
// Still frames of grids larger than the screen. Drawn in full, a grid of 10^8 cells puts
// a hundred cells on every pixel of the view, and a single cell of the worst level falls
// between the pixel centres and is never seen. Above LEVEL_OF_DETAIL_CELLS a still frame
// is drawn from coarse cells of step x step cells, each about a pixel of the view (filled)
// or at most half a pixel (drawn as points, one a triangle, which must leave no gaps):
//
//   - a coarse cell spans grid points R*step to min((R+1)*step, nrows-1), and likewise the
//     columns, as the mesh walk of the renderer steps through them; the heights of its
//     corners are the fine grid's at those points, read through MeshGeometry, never copied;
//   - its levels are the worst (largest) of the fine cells it covers, so that a single
//     level-3 cell still colours the coarse cell it lies in;
//   - every other rule of its look (class, ramp, steepness, comparison data) is that of
//     its first cell, as for any coarse cell of the renderer.
//
// Only the levels are held: one byte per coarse cell and level kind, a small part of
// what the grid itself takes.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "view/triangle_look.h"

class mountain;

// Grids of more cells than this draw their still frames from a level of detail.
const std::size_t LEVEL_OF_DETAIL_CELLS = 4000000;

struct CoarseMesh {
    int step = 0;
    int rows = 0, cols = 0;  // coarse cells down and across
    // Per coarse cell in row order; empty for a kind that was not asked for (level 0).
    std::vector<std::uint8_t> curveLevels, diffLevels;

    CellLevels at(int row, int col) const
    {
        const std::size_t k = std::size_t(row) * std::size_t(cols) + std::size_t(col);
        return {curveLevels.empty() ? std::uint8_t(0) : curveLevels[k],
                diffLevels.empty() ? std::uint8_t(0) : diffLevels[k]};
    }
};

// Coarse cells down or across for fine cells along that side.
inline int coarseCount(int fineCells, int step) { return fineCells <= 0 ? 0 : (fineCells - 1) / step + 1; }

// The worst level of each coarse cell of fine levels of cellRows x cellCols cells (row
// order) into coarse, coarseCount(cellRows, step) x coarseCount(cellCols, step) of them.
void worstLevels(const std::uint8_t* fine, int cellRows, int cellCols, int step, std::uint8_t* coarse);

// The coarse mesh of a grid of cellRows x cellCols cells with the given fine levels, either
// of them null when not wanted. room lends its memory (a frame reuses the last one's).
// Throws bad_alloc when the levels find no memory.
CoarseMesh coarseMesh(int cellRows, int cellCols, const std::uint8_t* curve, const std::uint8_t* diff, int step,
                      CoarseMesh&& room = {});

// What coarseMesh allocates, at most.
std::uint64_t coarseMeshBytes(int cellRows, int cellCols, int step, bool curve, bool diff);

// The step at which a coarse cell spans at least about one pixel, its shorter side
// cellLength view units long, seen from eyeDistance in the view's frustum; 1 when a fine
// cell already does. It follows the zoom, not the rotation.
int levelOfDetailStep(float cellLength, float eyeDistance);

// The coarse mesh a still frame of m is drawn from with the view as it is, or nullptr when
// it is drawn in full: a grid of at most LEVEL_OF_DETAIL_CELLS cells, "Full Resolution
// Frames" on, a step of 1, or no memory for the coarse levels (then the full frame still
// shows everything, only slower). The levels are worked out anew for every frame (the
// passes rewrite them in place), into memory kept from the frame before.
const CoarseMesh* stillLevelOfDetail(const mountain& m);

// "Full Resolution Frames": still frames of every grid drawn in full. Off at start.
bool fullResolutionFrames();
void setFullResolutionFrames(bool on);

// Full resolution off, and the kept memory let go.
void resetCoarseFrame();
