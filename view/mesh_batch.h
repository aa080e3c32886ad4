#pragma once
// Pieces of the mesh gathered into a buffer of fixed size and drawn from it as vertex
// arrays, one draw call per full buffer: the memory a frame needs does not grow with the
// grid, and the draw calls stay few and large.
//
// A piece goes in as immediate mode would give it, so that lighting sees the same
// numbers: every vertex with its triangle's normal (nx, ny, nz) given as (-nx, ny, -nz),
// y negated, and the colour in floats.

#include <GL/gl.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "model/mesh.h"
#include "view/colours.h"

struct MeshVertex {
    float colour[3];
    float normal[3];
    float position[3];
};

class MeshBatch {
public:
    // GL_TRIANGLES (a triangle as it is), GL_POINTS (a triangle as its first vertex) or
    // GL_LINES (edges of triangles).
    explicit MeshBatch(GLenum mode);
    MeshBatch(const MeshBatch&) = delete;
    MeshBatch& operator=(const MeshBatch&) = delete;

    void add(const Rgb& colour, const MeshTriangle& t)
    {
        if (mode == GL_POINTS) {
            room(1);
            put(colour, t, 0);
            return;
        }
        room(3);
        for (int i = 0; i < 3; i++)
            put(colour, t, i);
    }
    // The edge from vertex i to vertex j of t.
    void addEdge(const Rgb& colour, const MeshTriangle& t, int i, int j)
    {
        room(2);
        put(colour, t, i);
        put(colour, t, j);
    }
    // Draws what has been gathered. Extras drawn in immediate mode between pieces come
    // after a flush, so everything reaches GL in the order of the mesh.
    void flush();
    // Every band drawn from now on is also copied into copies.
    void keepIn(std::vector<std::vector<MeshVertex>>* copies) { kept = copies; }

    static void draw(GLenum mode, const MeshVertex* band, std::size_t count);

private:
    void room(std::size_t count)
    {
        if (used + count > CAPACITY)
            flush();
    }
    void put(const Rgb& colour, const MeshTriangle& t, int i)
    {
        vertices[used++] = {{colour.red, colour.green, colour.blue},
                            {-t.normal[0], t.normal[1], -t.normal[2]},
                            {t.v[i][0], -t.v[i][1], t.v[i][2]}};
    }

    // 2048 triangles, about 220 kB. Under the software GL here bands of this size keep
    // clear of the allocator churn that much larger ones (and much smaller ones) cause
    // in the driver; any size gives the same pixels.
    static const std::size_t CAPACITY = 6144;
    const GLenum mode;
    std::unique_ptr<MeshVertex[]> vertices;
    std::size_t used = 0;
    std::vector<std::vector<MeshVertex>>* kept = nullptr;
};
