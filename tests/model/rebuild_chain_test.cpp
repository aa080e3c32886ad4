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
#include "analysis/difference.h"
#include "analysis/loader.h"
#include "model/colour_codes.h"
#include "model/mesh.h"
#include "model/mountain.h"
#include "tests/support/model_fixture.h"

namespace {

std::uint32_t bits(float f)
{
    std::uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

// A triangle as drawn, with the colour codes of its cell.
struct triangle {
    float v1[3], v2[3], v3[3];
    float normal[3];
    int curveColor;
    int diffColor;
};

struct Results {
    std::vector<triangle> records;
    float scalefactor = 0, zscale = 0, zcenter = 0, movex = 0, movey = 0;
    std::vector<float> curvature;
    float cMax = 0, cMin = 0, totalSq = 0, maxCurve = 0;
    int curveCounts[4] = {0, 0, 0, 0};
    std::vector<float> differences;
    float dMax = 0, dMin = 0;
    int diffCounts[5] = {0, 0, 0, 0, 0};
};

struct Case {
    int rows, cols;
    std::vector<float> h, g;  // g empty: no comparison data
    float cellsize, unit;
    int exaggeration, interval;
};

// The formulas, one triangle and one cell at a time. previous holds the colour codes of
// a rebuild of the same grid (none on a new one).
Results plainChain(const Case& k, const std::vector<triangle>* previous)
{
    Results x;
    const int rows = k.rows, cols = k.cols;
    auto H = [&](int r, int c) { return k.h[std::size_t(r) * cols + c]; };
    float zmin = 35000.0f, zmax = -1000.0f;
    for (float v : k.h) {
        if (v > zmax)
            zmax = v;
        if (zmin > v)
            zmin = v;
    }
    const float exaggeration = static_cast<float>(k.exaggeration);
    const float extent = std::max(static_cast<float>(std::max(rows, cols)) * k.cellsize, zmax - zmin);
    x.scalefactor = 2 / extent;
    x.zscale = x.scalefactor * exaggeration;
    x.zcenter = (zmin + zmax) / 2;
    x.movex = (cols - 1) * k.cellsize / 2;
    x.movey = (rows - 1) * k.cellsize / 2;
    auto P = [&](int r, int c, float* v) {
        v[0] = (c * k.cellsize - x.movex) * x.scalefactor;
        v[1] = (r * k.cellsize - x.movey) * x.scalefactor;
        v[2] = (H(r, c) - x.zcenter) * x.zscale;
    };
    x.records.resize(std::size_t(std::max(rows - 1, 0)) * std::max(2 * cols - 2, 0));
    bool first = true;
    for (int r = 0; r + 1 < rows; r++)
        for (int c = 0; c + 1 < cols; c++) {
            const std::size_t i = 2 * (std::size_t(r) * (cols - 1) + c);
            triangle& a = x.records[i];
            triangle& b = x.records[i + 1];
            P(r, c, a.v1);
            P(r + 1, c, a.v2);
            P(r, c + 1, a.v3);
            P(r, c + 1, b.v1);
            P(r + 1, c, b.v2);
            P(r + 1, c + 1, b.v3);
            for (triangle* t : {&a, &b}) {
                float u[3], w[3];
                for (int j = 0; j < 3; j++) {
                    u[j] = t->v2[j] - t->v1[j];
                    w[j] = t->v3[j] - t->v1[j];
                }
                const float n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
                const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
                for (int j = 0; j < 3; j++)
                    t->normal[j] = length > 0 && std::isfinite(length) ? n[j] / length : j == 2 ? -1.0f : 0.0f;
                t->diffColor = previous ? (*previous)[std::size_t(t - x.records.data())].diffColor : MOUNTAINGREEN;
            }

            // Curvature of point (r, c), for the cell whose first corner it is.
            int level = 0;
            if (r > 0 && c > 0) {
                const double s = double(H(r - 1, c)) + double(H(r, c - 1)) + double(H(r, c + 1)) + double(H(r + 1, c)) -
                                 4.0 * double(H(r, c));
                const float kappa = static_cast<float>(std::fabs(s));
                if (first)
                    x.cMin = kappa;
                first = false;
                x.curvature.push_back(kappa);
                x.cMin = std::min(x.cMin, kappa);
                x.maxCurve = std::max(x.maxCurve, kappa);
                level = kappa > 3 * k.unit ? 3 : kappa > 2 * k.unit ? 2 : kappa > k.unit ? 1 : 0;
            }
            const int curveColours[] = {MOUNTAINGREEN, YELLOW, ORANGE, RED};
            a.curveColor = b.curveColor = curveColours[level];
            x.curveCounts[3 - level]++;

            if (k.g.empty())
                continue;
            const float g = k.g[std::size_t(r) * cols + c];
            int dl = 0;
            if (g > 0) {
                const float d = H(r, c) - g;
                if (x.differences.empty())
                    x.dMax = x.dMin = d;
                x.differences.push_back(d);
                x.dMax = std::max(x.dMax, d);
                x.dMin = std::min(x.dMin, d);
                const float q = std::fabs(d) / static_cast<float>(k.interval);
                dl = q > 0.2 ? 4 : q > 0.15 ? 3 : q > 0.1 ? 2 : q > 0.05 ? 1 : 0;
            }
            const int diffColours[] = {MOUNTAINGREEN, YELLOW, ORANGE, RED, VIOLET};
            a.diffColor = b.diffColor = diffColours[dl];
            x.diffCounts[4 - dl]++;
        }
    double sum = 0;
    for (float kappa : x.curvature)
        sum += double(kappa) * double(kappa);
    x.totalSq = static_cast<float>(sum);
    x.cMax = x.maxCurve;
    return x;
}

Results modelResults()
{
    Results x;
    const MeshGeometry mesh(mt);
    for (int r = 0; r + 1 < mt.nrows; r++)
        for (int c = 0; c + 1 < mt.ncols; c++) {
            MeshTriangle pair[2];
            mesh.cell(r, c, pair);
            const std::size_t cell = std::size_t(r) * (mt.ncols - 1) + c;
            for (const MeshTriangle& m : pair) {
                triangle t;
                std::memcpy(t.v1, m.v, sizeof m.v);
                std::memcpy(t.normal, m.normal, sizeof m.normal);
                t.curveColor = curvatureLevelColour(mt.curveLevels[cell]);
                t.diffColor = differenceLevelColour(mt.diffLevels[cell]);
                x.records.push_back(t);
            }
        }
    EXPECT_EQ(x.records.size(), std::size_t(std::max(mt.triangleCount, 0)));
    x.scalefactor = mt.scalefactor;
    x.zscale = mt.zscale;
    x.zcenter = mt.zcenter;
    x.movex = mt.movex;
    x.movey = mt.movey;
    x.curvature.assign(cArray, cArray + cArrayCount);
    x.cMax = cArrayMax;
    x.cMin = cArrayMin;
    x.totalSq = mt.totalSq();
    x.maxCurve = mt.maxCurve();
    std::copy(mt.curveCounts(), mt.curveCounts() + 4, x.curveCounts);
    x.differences.assign(dArray, dArray + dArrayCount);
    x.dMax = dArrayMax;
    x.dMin = dArrayMin;
    std::copy(mt.diffCounts(), mt.diffCounts() + 5, x.diffCounts);
    return x;
}

std::string sameBits(const std::vector<float>& a, const std::vector<float>& b, const char* what)
{
    if (a.size() != b.size())
        return std::string(what) + " count " + std::to_string(a.size()) + " vs " + std::to_string(b.size());
    for (std::size_t i = 0; i < a.size(); i++)
        if (bits(a[i]) != bits(b[i]))
            return std::string(what) + " " + std::to_string(i) + " differs";
    return "";
}

// The first difference, or an empty text.
std::string compare(const Results& got, const Results& want, bool withDifference)
{
    if (got.records.size() != want.records.size())
        return "record count " + std::to_string(got.records.size()) + " vs " + std::to_string(want.records.size());
    for (std::size_t i = 0; i < want.records.size(); i++)
        if (std::memcmp(&got.records[i], &want.records[i], sizeof(triangle)) != 0)
            return "record " + std::to_string(i) + " differs";
    const float g[] = {got.scalefactor, got.zscale, got.zcenter, got.movex, got.movey, got.cMax, got.cMin, got.totalSq, got.maxCurve};
    const float w[] = {want.scalefactor, want.zscale, want.zcenter, want.movex, want.movey, want.cMax, want.cMin, want.totalSq, want.maxCurve};
    for (int i = 0; i < 9; i++)
        if (bits(g[i]) != bits(w[i]))
            return "scaling or curvature total " + std::to_string(i) + " differs";
    if (!std::equal(got.curveCounts, got.curveCounts + 4, want.curveCounts))
        return "curvature counts differ";
    std::string d = sameBits(got.curvature, want.curvature, "curvature value");
    if (!d.empty() || !withDifference)
        return d;
    if (bits(got.dMax) != bits(want.dMax) || bits(got.dMin) != bits(want.dMin))
        return "difference range differs";
    if (!std::equal(got.diffCounts, got.diffCounts + 5, want.diffCounts))
        return "difference counts differ";
    return sameBits(got.differences, want.differences, "difference");
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
        const Results first = plainChain(k, nullptr);
        ASSERT_EQ(compare(modelResults(), first, withDifference), "");
        Case again = k;
        again.exaggeration = (k.exaggeration + 2) % 5;
        again.g.clear();
        rebuild(again.exaggeration, false);
        ASSERT_EQ(compare(modelResults(), plainChain(again, &first.records), false), "");

        // The passes one after the other, as the view's commands call them.
        allocated = false;
        mt.convert_to_triangles(k.exaggeration);
        mt.compute_normals();
        mt.compute_curve_color();
        if (withDifference)
            mt.compute_diff_color();
        ASSERT_EQ(compare(modelResults(), first, withDifference), "");
    }
}

}  // namespace
