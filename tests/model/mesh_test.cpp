#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/mesh.h"
#include "model/mountain.h"
#include "tests/support/grid_files.h"
#include "tests/support/model_fixture.h"

namespace {

class MeshTest : public ModelTest {
protected:
    void mesh(int rows, int cols, const std::vector<float>& values, float cellsize = 1, int exaggeration = 1)
    {
        setGrid(mt, rows, cols, values, cellsize);
        allocated = false;
        mt.convert_to_triangles(exaggeration);
        mt.compute_normals();
        derive();
    }
    // Every triangle of the mesh, in order.
    void derive()
    {
        tri.clear();
        const MeshGeometry geometry(mt);
        for (int r = 0; r + 1 < mt.nrows; r++)
            for (int c = 0; c + 1 < mt.ncols; c++) {
                MeshTriangle pair[2];
                geometry.cell(r, c, pair);
                tri.insert(tri.end(), pair, pair + 2);
            }
    }
    std::vector<MeshTriangle> tri;
};

TEST_F(MeshTest, TwoTrianglesPerCell)
{
    struct Case {
        int rows, cols, triangles;
    } cases[] = {{2, 2, 2}, {3, 4, 12}, {1, 5, 0}, {5, 1, 0}, {7, 3, 24}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rows) + " x " + std::to_string(c.cols));
        mesh(c.rows, c.cols, plane(c.rows, c.cols, 10, 1, 2));
        EXPECT_EQ(mt.triangleCount, c.triangles);
    }
}

TEST_F(MeshTest, ScalingCentresTheGridAndFitsTheLongerSide)
{
    // 100 rows x 50 columns, cellsize 10, heights 0..300: extent max(100 * 10, 300) = 1000.
    mesh(100, 50, surface(100, 50, [](int r, int) { return r * 300.0 / 99; }), 10);
    EXPECT_FLOAT_EQ(mt.scalefactor, 0.002f);
    EXPECT_FLOAT_EQ(mt.movex, 245.0f);
    EXPECT_FLOAT_EQ(mt.movey, 495.0f);
    EXPECT_FLOAT_EQ(mt.zcenter, 150.0f);
    EXPECT_FLOAT_EQ(mt.zscale, 0.002f);
    float xmin = 9, xmax = -9, ymin = 9, ymax = -9;
    for (int i = 0; i < mt.triangleCount; i++)
        for (const float* v : {tri[i].v[0], tri[i].v[1], tri[i].v[2]}) {
            xmin = std::min(xmin, v[0]);
            xmax = std::max(xmax, v[0]);
            ymin = std::min(ymin, v[1]);
            ymax = std::max(ymax, v[1]);
        }
    EXPECT_FLOAT_EQ(xmin, -0.49f);
    EXPECT_FLOAT_EQ(xmax, 0.49f);
    EXPECT_FLOAT_EQ(ymin, -0.99f);
    EXPECT_FLOAT_EQ(ymax, 0.99f);
}

TEST_F(MeshTest, HeightRangeSetsTheExtentWhenItIsLarger)
{
    mesh(2, 2, {0, 0, 0, 40}, 1);  // 2 * 1 < 40
    EXPECT_FLOAT_EQ(mt.scalefactor, 2.0f / 40);
    EXPECT_FLOAT_EQ(tri[1].v[2][2], (40 - 20) * (2.0f / 40));
}

TEST_F(MeshTest, RecordsFollowTheCellOrderAndDiagonal)
{
    // 2 rows x 3 columns, cellsize 1, heights 0..5: extent 5, scalefactor 0.4, movex 1, movey 0.5.
    mesh(2, 3, {0, 1, 2, 3, 4, 5}, 1);
    auto P = [](int r, int c, float h) {
        const float s = 2.0f / 5;
        return std::vector<float>{(c * 1.0f - 1.0f) * s, (r * 1.0f - 0.5f) * s, (h - 2.5f) * s};
    };
    auto vertex = [](const float* v) { return std::vector<float>{v[0], v[1], v[2]}; };
    const MeshTriangle* t = tri.data();
    // Cell 1 (row 0, column 1) is triangles 2 and 3.
    EXPECT_EQ(vertex(t[2].v[0]), P(0, 1, 1));
    EXPECT_EQ(vertex(t[2].v[1]), P(1, 1, 4));
    EXPECT_EQ(vertex(t[2].v[2]), P(0, 2, 2));
    EXPECT_EQ(vertex(t[3].v[0]), P(0, 2, 2));
    EXPECT_EQ(vertex(t[3].v[1]), P(1, 1, 4));
    EXPECT_EQ(vertex(t[3].v[2]), P(1, 2, 5));
}

TEST_F(MeshTest, FlatGroundHasDownwardNormalsAndZeroHeight)
{
    mesh(4, 5, flat(4, 5, 1234.5f), 30);
    for (int i = 0; i < mt.triangleCount; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(tri[i].normal[0], 0.0f);
        EXPECT_EQ(tri[i].normal[1], 0.0f);
        EXPECT_EQ(tri[i].normal[2], -1.0f);
        EXPECT_EQ(tri[i].v[0][2], 0.0f);
        EXPECT_EQ(tri[i].v[2][2], 0.0f);
    }
}

TEST_F(MeshTest, NormalsAreUnitCrossProducts)
{
    mesh(3, 3, {0, 5, 1, 2, 9, 4, 7, 3, 8}, 2);
    for (int i = 0; i < mt.triangleCount; i++) {
        const MeshTriangle& t = tri[i];
        const float u[3] = {t.v[1][0] - t.v[0][0], t.v[1][1] - t.v[0][1], t.v[1][2] - t.v[0][2]};
        const float w[3] = {t.v[2][0] - t.v[0][0], t.v[2][1] - t.v[0][1], t.v[2][2] - t.v[0][2]};
        const float n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (int k = 0; k < 3; k++)
            EXPECT_NEAR(t.normal[k], n[k] / length, 1e-6);
        EXPECT_LT(t.normal[2], 0.0f);  // this vertex order turns every normal downwards
    }
}

TEST_F(MeshTest, RebuildWithAnotherExaggerationKeepsTheLevels)
{
    const std::vector<float> heights = {0, 10, 20, 30, 40, 50};
    mesh(2, 3, heights, 100);
    const std::vector<MeshTriangle> first = tri;
    mt.curveLevels[1] = 3;
    mt.diffLevels[0] = 4;

    mt.convert_to_triangles(3);
    derive();
    EXPECT_EQ(mt.exageration, 3.0f);
    EXPECT_EQ(mt.curveLevels[1], 3);
    EXPECT_EQ(mt.diffLevels[0], 4);
    for (int i = 0; i < mt.triangleCount; i++)
        EXPECT_FLOAT_EQ(tri[i].v[1][2], 3 * first[i].v[1][2]);
    EXPECT_EQ(tri[3].v[2][0], first[3].v[2][0]);
    EXPECT_EQ(tri[3].v[2][1], first[3].v[2][1]);

    mt.convert_to_triangles(0);
    derive();
    for (int i = 0; i < mt.triangleCount; i++)
        EXPECT_EQ(tri[i].v[0][2], 0.0f);
}

TEST_F(MeshTest, NewGridStartsWithoutErrorLevels)
{
    mesh(3, 3, {0, 9, 0, 9, 0, 9, 0, 9, 0});
    EXPECT_EQ(mt.curveLevels, LargeVector<std::uint8_t>(4, 0));
    EXPECT_EQ(mt.diffLevels, LargeVector<std::uint8_t>(4, 0));
}

TEST_F(MeshTest, DebugTraceReportsAllocationAndProgress)
{
    DEBUG = true;
    setGrid(mt, 2, 3, {1, 2, 3, 4, 5, 6}, 1);
    testing::internal::CaptureStdout();
    mt.convert_to_triangles(2);
    mt.compute_normals();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out,
              "Converting grid to triangles...\n"
              "Grid resolution (cellsize): 1\n"
              "Vertical exageration      : 2\n"
              "movex = 1  movey = 0.5 scalefactor: 0.4\n"
              "Number of triangles       : 4\n"
              "Attempting to allocate 4 (0M) bytes for triangles...\n"
              "Successfully allocated memory for triangles\n"
              "Number of triangles computed: 4\n"
              "done\n"
              "Computing normals (4 triangles)...\n"
              "Done through 0 triangles\n");
}

TEST_F(MeshTest, ExaggerationStepsStopAtZero)
{
    mt.vertExagPlus();
    EXPECT_EQ(mt.exageration, 2.0f);
    mt.vertExagMinus();
    mt.vertExagMinus();
    mt.vertExagMinus();
    EXPECT_EQ(mt.exageration, 0.0f);
    mt.vertExagReset();
    EXPECT_EQ(mt.exageration, 1.0f);
}

}  // namespace
