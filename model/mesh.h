#pragma once
// The mesh: two triangles per grid cell, in view units. It is not stored: a cell's
// triangles are derived from the heights and the scaling whenever they are drawn, with
// the same float operations every time, so that every vertex and normal is the same
// wherever it is computed. Per cell the model keeps only what the passes decide.
//
// Grid point (r, c) of height h maps to (cells in the heights' unit: east-west
// groundEastWest, north-south groundCellsize, equal unless the cells are in degrees)
//   x = (c * eastWest - movex) * scalefactor
//   y = (r * northSouth - movey) * scalefactor
//   z = (h - zcenter) * zscale
// so the grid is centred on the origin and its longer side spans less than 2 units.
// Each cell is split along the diagonal from (r + 1, c) to (r, c + 1):
//
//   (r, c) ---- (r, c+1)        first triangle:  P(r, c), P(r+1, c), P(r, c+1)
//     |       /    |            second triangle: P(r, c+1), P(r+1, c), P(r+1, c+1)
//   (r+1, c) -- (r+1, c+1)
//
// Triangles are counted two per cell, cells in row order: triangle 2k and 2k + 1 belong
// to cell k = r * (ncols - 1) + c.

class mountain;

struct MeshTriangle {
    float v[3][3];    // first, second and third vertex: x, y, z
    float normal[3];  // unit normal of the flat triangle
};

// The mesh of one model with its current scaling.
class MeshGeometry {
public:
    explicit MeshGeometry(const mountain& m);

    float x(int col) const { return (col * eastWest - movex) * scalefactor; }
    float y(int row) const { return (row * northSouth - movey) * scalefactor; }
    float z(float height) const { return (height - zcenter) * zscale; }
    // A place between the grid points, at a fractional column or row, mapped as they are.
    float xAt(double col) const { return (static_cast<float>(col) * eastWest - movex) * scalefactor; }
    float yAt(double row) const { return (static_cast<float>(row) * northSouth - movey) * scalefactor; }

    // The two triangles of cell (r, c).
    void cell(int r, int c, MeshTriangle out[2]) const { span(r, r + 1, c, c + 1, out); }
    // The two triangles that span grid points r0 to r1 and c0 to c1, split as a cell is
    // (a coarse cell of a preview).
    void span(int r0, int r1, int c0, int c1, MeshTriangle out[2]) const;

private:
    const float* const* grid;
    float eastWest, northSouth, movex, movey, scalefactor, zcenter, zscale;
};

// n = u x w with u = B - A and w = C - A, then each component divided by |n|; a
// degenerate triangle gets the normal of level ground, (0, 0, -1).
void computeNormal(MeshTriangle& t);
