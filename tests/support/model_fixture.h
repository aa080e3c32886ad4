#pragma once
// Fixture for tests of the model and the analysis: every case starts from the state at
// start-up, and grids can be put into a model without going through a file.

#include <gtest/gtest.h>

#include <vector>

#include "analysis/analysis.h"
#include "model/mountain.h"

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetModel();
        resetAnalysis();
    }
    void TearDown() override
    {
        resetModel();
        resetAnalysis();
    }
};

// Fills m as the reader would from a file with these values (zmin and zmax included,
// starting from the values that reset gives).
void setGrid(mountain& m, int rows, int cols, const std::vector<float>& values, float cellsize = 1);

// Runs the rebuild chain on mt as a one-file load does: mesh, normals, curvature.
void buildDem(int rows, int cols, const std::vector<float>& values, float cellsize = 1);
