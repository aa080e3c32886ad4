#pragma once
// The drag preview's bands, kept while the left button stays held: during a drag only the
// camera moves, so every frame after the first draws the same bands again instead of
// working them out anew. They are drawn again only while everything they were made from
// is unchanged (previewKey), and forgotten at each press and release. Their memory follows
// the preview's budget of about 250000 cells, not the grid's size.

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "view/mesh_batch.h"

// What a preview of coarse cells of step x step cells is made from: the grids, their
// scaling and levels, the vegetation limits and the display switches.
std::vector<std::uint64_t> previewKey(int step);

struct KeptPreview {
    std::vector<std::uint64_t> key;
    GLenum mode = GL_LINES;
    std::vector<std::vector<MeshVertex>> bands;
};

extern KeptPreview keptPreview;

void forgetPreview();
