#pragma once
// The mesh builder and the normals, each split into its start, its work on a band of
// cell rows and its end. mountain::convert_to_triangles and mountain::compute_normals
// run them over every row at once; the rebuild chain (model/loader.cpp) runs all its
// passes band by band, so that a band's records are still in the cache when the next
// pass reaches them. Either way every record gets the same words.

#include <vector>

#include "model/prefault.h"

class mountain;

class MeshPass {
public:
    // Sets the exaggeration and the scaling, makes the array when `allocated` is false,
    // and writes the debug trace up to the allocation.
    MeshPass(mountain& m, int exaggeration);
    // Writes the vertex words of the records of cell rows [first, end) (0 <= first,
    // end <= nrows - 1), and on a new array the colour words too.
    void cellRows(int first, int end);
    void finish();  // the debug trace after the loop

private:
    void mapRow(int r, std::vector<float>& z) const;

    mountain& m;
    bool fresh = false;
    std::vector<float> x;                // view x of every column
    std::vector<float> zTop, zBottom;    // view z of the two grid rows of a cell row
    int bottomRow = -1;                  // the grid row zBottom holds
    long long written = 0;
    PrefaultAhead ahead;  // maps a new array's pages ahead of the rows being written
};

class NormalsPass {
public:
    explicit NormalsPass(mountain& m);  // writes the first debug line
    void cellRows(int first, int end);  // the normals of the records of cell rows [first, end)
    void records(int first, int end);   // the normals of records [first, end)

private:
    mountain& m;
};
