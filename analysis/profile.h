#pragma once
// The profile: a cross-section of a DEM along one grid row, in the scene's coordinates.
// Position p counts rows back from the last grid row, so the profile row is
// nrows - p - 1. Heights of the row are drawn as a staircase (each cell's height a flat
// step from its own column to the next) and, with comparison data, every comparison
// point on the row gets a tick coloured by how it lies against the DEM:
//   above by more than units: reddish, from Z(c) + 0.1 down to Z(c)
//   below by more than units: bluish, from Z(c) down to Z(c) - 0.1
//   otherwise:                white,   from Z(c) + 0.05 down to Z(c) - 0.05
// with X(i) and Z(h) the mesh's mapping into the scene (MeshGeometry::x and z), so a step
// is a cell's east-west length on the ground long.
// A point that is no valid height has no step and no tick: the line breaks there.

#include <cstddef>
#include <vector>

#include "model/grid_view.h"
#include "model/mesh.h"

struct ProfileTick {
    float x;
    float zFrom, zTo;
    float red, green, blue;  // may leave 0..1; OpenGL clamps
};

struct ProfileGeometry {
    bool valid = false;  // false when p is no row of the grid or there is no mesh
    int row = 0;         // the grid row shown
    float y = 0;         // y of the profile line
    float yCut = 0;      // y of the cut plane, one row nearer, where the cut mesh ends
    float zLow = 0, zHigh = 0;  // the plane's lower and upper edge
    std::vector<float> steps;   // x, z of the staircase, two vertices per cell
    std::vector<std::size_t> breaks;  // vertices of steps that start the line anew
    std::vector<ProfileTick> ticks;
};

struct ProfileInput {
    GridView dem;
    const float* const* comparison = nullptr;  // rows of dem's size, or nullptr: no ticks
    float zmin = 0, zmax = 0;  // the DEM's height range, which the cut plane spans
    float unit = 1;            // how far a comparison point may lie off the DEM and be on it
};

// The profile at position p, mapped into the scene by mesh.
ProfileGeometry profileGeometry(const ProfileInput& in, const MeshGeometry& mesh, int p);

// The same for mt, with units; ticks only while comparison data of mt's size is loaded
// (multFiles).
ProfileGeometry profileGeometry(int p);
