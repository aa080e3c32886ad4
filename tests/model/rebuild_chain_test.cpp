// The rebuild chain and the passes run one after the other must give, bit for bit, what
// the plain formulas give when computed one triangle and one cell at a time: the
// triangles the mesh derives from the heights, and the levels the passes decide.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "analysis/curvature.h"
#include "analysis/loader.h"
#include "model/mesh.h"
#include "model/mountain.h"
#include "tests/support/model_fixture.h"
#include "tests/support/plain_passes.h"

namespace {

// The mesh's triangles and scaling.
struct Mesh {
    std::vector<MeshTriangle> triangles;
    float scaling[5];  // scalefactor, zscale, zcenter, movex, movey
};

struct Case {
    int rows, cols;
    std::vector<float> h, g;  // g empty: no comparison data
    float cellsize, unit;
    int exaggeration, interval;
};

// The mesh formulas, one triangle at a time.
Mesh plainMesh(const Case& k)
{
    const int rows = k.rows, cols = k.cols;
    const float zmin = *std::min_element(k.h.begin(), k.h.end());
    const float zmax = *std::max_element(k.h.begin(), k.h.end());
    const float extent = std::max(static_cast<float>(std::max(rows, cols)) * k.cellsize, zmax - zmin);
    const float scalefactor = 2 / extent, zscale = scalefactor * static_cast<float>(k.exaggeration);
    const float zcenter = (zmin + zmax) / 2, movex = (cols - 1) * k.cellsize / 2, movey = (rows - 1) * k.cellsize / 2;
    Mesh x{{}, {scalefactor, zscale, zcenter, movex, movey}};
    auto P = [&](int r, int c, float* v) {
        v[0] = (c * k.cellsize - movex) * scalefactor;
        v[1] = (r * k.cellsize - movey) * scalefactor;
        v[2] = (k.h[std::size_t(r) * cols + c] - zcenter) * zscale;
    };
    for (int r = 0; r + 1 < rows; r++)
        for (int c = 0; c + 1 < cols; c++) {
            MeshTriangle a, b;
            P(r, c, a.v[0]);
            P(r + 1, c, a.v[1]);
            P(r, c + 1, a.v[2]);
            P(r, c + 1, b.v[0]);
            P(r + 1, c, b.v[1]);
            P(r + 1, c + 1, b.v[2]);
            for (MeshTriangle* t : {&a, &b}) {
                float u[3], w[3];
                for (int j = 0; j < 3; j++) {
                    u[j] = t->v[1][j] - t->v[0][j];
                    w[j] = t->v[2][j] - t->v[0][j];
                }
                const float n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
                const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
                for (int j = 0; j < 3; j++)
                    t->normal[j] = length > 0 && std::isfinite(length) ? n[j] / length : j == 2 ? -1.0f : 0.0f;
                x.triangles.push_back(*t);
            }
        }
    return x;
}

Mesh modelMesh()
{
    Mesh x{{}, {mt.scalefactor, mt.zscale, mt.zcenter, mt.movex, mt.movey}};
    const MeshGeometry mesh(mt);
    for (int r = 0; r + 1 < mt.nrows; r++)
        for (int c = 0; c + 1 < mt.ncols; c++) {
            MeshTriangle pair[2];
            mesh.cell(r, c, pair);
            x.triangles.insert(x.triangles.end(), pair, pair + 2);
        }
    EXPECT_EQ(x.triangles.size(), std::size_t(std::max(mt.triangleCount, 0)));
    return x;
}

// The first difference, or an empty text.
std::string compare(const Mesh& got, const Mesh& want)
{
    if (got.triangles.size() != want.triangles.size())
        return "triangle count " + std::to_string(got.triangles.size()) + " vs " + std::to_string(want.triangles.size());
    for (std::size_t i = 0; i < want.triangles.size(); i++)
        if (std::memcmp(&got.triangles[i], &want.triangles[i], sizeof(MeshTriangle)) != 0)
            return "triangle " + std::to_string(i) + " differs";
    if (std::memcmp(got.scaling, want.scaling, sizeof got.scaling) != 0)
        return "scaling differs";
    return "";
}

Case randomCase(std::mt19937& random)
{
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    auto uniform = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(random); };
    // Shapes without cells, of a single cell row or column, long rows and square ones.
    const int shapes[][2] = {{2, 2}, {3, 3}, {1, 6}, {6, 1}, {17, 300}, {40, 97}, {9, 2500}, {30, 31}, {5, 1200}};
    Case k;
    const int shape = pick(12);
    k.rows = shape < 9 ? shapes[shape][0] : 2 + pick(40);
    k.cols = shape < 9 ? shapes[shape][1] : 2 + pick(40);
    const float cellsizes[] = {1, 25, 0.001f, 3.5f, 1e-30f};
    k.cellsize = cellsizes[pick(5)];
    const float units[] = {1, 0.5f, 2.5f, 0.01f};
    k.unit = units[pick(4)];
    k.exaggeration = pick(4);
    const int intervals[] = {20, 7, 0, 1};
    k.interval = intervals[pick(4)];
    const int kind = pick(5);
    const double base = uniform(-500, 3000);
    for (int r = 0; r < k.rows; r++)
        for (int c = 0; c < k.cols; c++) {
            double v = base + 3 * r - 2 * c + uniform(-5, 5);
            if (kind == 1)
                v = std::round(v / 10) * 10;  // terraces: flat cells and zero curvature
            if (kind == 2 && pick(50) == 0)
                v = pick(2) ? 1e30 : -0.0;  // heights that overflow the squares, and a signed zero
            if (kind == 3)
                v = base;  // all level
            k.h.push_back(static_cast<float>(v));
        }
    if (pick(3) > 0)
        for (float v : k.h)
            k.g.push_back(pick(3) == 0 ? static_cast<float>(20 * std::round(v / 20) + uniform(-0.5, 0.5))
                                       : pick(2) ? 0.0f : -1.0f);
    return k;
}

class RebuildChainTest : public ModelTest {};

TEST_F(RebuildChainTest, ChainAndSeparatePassesGiveThePlainFormulas)
{
    const unsigned seed = testing::UnitTest::GetInstance()->random_seed() + 4711u;
    std::mt19937 random(seed);
    for (int round = 0; round < 150; round++) {
        const Case k = randomCase(random);
        const bool withDifference = !k.g.empty();
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", round " << round << ", " << k.rows << " x " << k.cols);
        resetModel();
        resetAnalysis();
        setGrid(mt, k.rows, k.cols, k.h, k.cellsize);
        if (withDifference) {
            setGrid(rd, k.rows, k.cols, k.g);
            rd.setContourInt(k.interval);
        }
        units = k.unit;
        allocated = false;

        // A new grid through the chain, then a rebuild without the comparison: the
        // difference levels must keep what the first run decided.
        rebuild(k.exaggeration, withDifference);
        const PassFigures first = plainPasses(k.rows, k.cols, k.h, k.g, k.unit, k.interval);
        ASSERT_EQ(compare(modelMesh(), plainMesh(k)), "");
        ASSERT_EQ(firstDifference(publishedFigures(), first, withDifference), "");
        Case again = k;
        again.exaggeration = (k.exaggeration + 2) % 5;
        rebuild(again.exaggeration, false);
        PassFigures kept = plainPasses(k.rows, k.cols, k.h, {}, k.unit, k.interval);
        kept.diffLevels = first.diffLevels;
        ASSERT_EQ(compare(modelMesh(), plainMesh(again)), "");
        ASSERT_EQ(firstDifference(publishedFigures(), kept, false), "");

        // The passes one after the other, as the view's commands call them.
        allocated = false;
        mt.convert_to_triangles(k.exaggeration);
        mt.compute_normals();
        mt.compute_curve_color();
        if (withDifference)
            mt.compute_diff_color();
        ASSERT_EQ(compare(modelMesh(), plainMesh(k)), "");
        ASSERT_EQ(firstDifference(publishedFigures(), first, withDifference), "");
    }
}

}  // namespace
