#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model/colour_codes.h"
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
    }
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
        for (const float* v : {mt.triangles[i].v1, mt.triangles[i].v2, mt.triangles[i].v3}) {
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
    EXPECT_FLOAT_EQ(mt.triangles[1].v3[2], (40 - 20) * (2.0f / 40));
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
    const triangle* t = mt.triangles;
    // Cell 1 (row 0, column 1) is records 2 and 3.
    EXPECT_EQ(vertex(t[2].v1), P(0, 1, 1));
    EXPECT_EQ(vertex(t[2].v2), P(1, 1, 4));
    EXPECT_EQ(vertex(t[2].v3), P(0, 2, 2));
    EXPECT_EQ(vertex(t[3].v1), P(0, 2, 2));
    EXPECT_EQ(vertex(t[3].v2), P(1, 1, 4));
    EXPECT_EQ(vertex(t[3].v3), P(1, 2, 5));
}

TEST_F(MeshTest, FlatGroundHasDownwardNormalsAndZeroHeight)
{
    mesh(4, 5, flat(4, 5, 1234.5f), 30);
    for (int i = 0; i < mt.triangleCount; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(mt.triangles[i].normal[0], 0.0f);
        EXPECT_EQ(mt.triangles[i].normal[1], 0.0f);
        EXPECT_EQ(mt.triangles[i].normal[2], -1.0f);
        EXPECT_EQ(mt.triangles[i].v1[2], 0.0f);
        EXPECT_EQ(mt.triangles[i].v3[2], 0.0f);
    }
}

TEST_F(MeshTest, NormalsAreUnitCrossProducts)
{
    mesh(3, 3, {0, 5, 1, 2, 9, 4, 7, 3, 8}, 2);
    for (int i = 0; i < mt.triangleCount; i++) {
        const triangle& t = mt.triangles[i];
        const float u[3] = {t.v2[0] - t.v1[0], t.v2[1] - t.v1[1], t.v2[2] - t.v1[2]};
        const float w[3] = {t.v3[0] - t.v1[0], t.v3[1] - t.v1[1], t.v3[2] - t.v1[2]};
        const float n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (int k = 0; k < 3; k++)
            EXPECT_NEAR(t.normal[k], n[k] / length, 1e-6);
        EXPECT_LT(t.normal[2], 0.0f);  // this vertex order turns every normal downwards
    }
}

TEST_F(MeshTest, RebuildWithAnotherExaggerationReusesTheArray)
{
    const std::vector<float> heights = {0, 10, 20, 30, 40, 50};
    mesh(2, 3, heights, 100);
    const triangle* first = mt.triangles;
    std::vector<float> z1;
    for (int i = 0; i < mt.triangleCount; i++)
        z1.push_back(mt.triangles[i].v2[2]);
    const float x = mt.triangles[3].v3[0], y = mt.triangles[3].v3[1];

    mt.convert_to_triangles(3);
    EXPECT_EQ(mt.triangles, first);
    EXPECT_EQ(mt.exageration, 3.0f);
    for (int i = 0; i < mt.triangleCount; i++)
        EXPECT_FLOAT_EQ(mt.triangles[i].v2[2], 3 * z1[i]);
    EXPECT_EQ(mt.triangles[3].v3[0], x);
    EXPECT_EQ(mt.triangles[3].v3[1], y);

    mt.convert_to_triangles(0);
    for (int i = 0; i < mt.triangleCount; i++)
        EXPECT_EQ(mt.triangles[i].v1[2], 0.0f);
}

TEST_F(MeshTest, NewArrayStartsWithoutErrorColours)
{
    mesh(3, 3, {0, 9, 0, 9, 0, 9, 0, 9, 0});
    for (int i = 0; i < mt.triangleCount; i++) {
        EXPECT_EQ(mt.triangles[i].curveColor, MOUNTAINGREEN);
        EXPECT_EQ(mt.triangles[i].diffColor, MOUNTAINGREEN);
    }
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
              "Attempting to allocate 224 (0M) bytes for triangles...\n"
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
