// Coregistration beside the plain report on the same grid, in one run, and its accuracy on
// pairs made from that grid with a known shift and bias:
//   bench-coregistration GRID [KARVO_REPORT]
// GRID is a text grid: one from make-bench-grids (4000 x 4000 by default) or a real DEM.
// Two pairs are made from it, neither with the bilinear interpolation under test:
//   cubic   the grid, and as reference the grid read by cubic convolution (Keys, a = -1/2)
//           0.35 cells west and 0.2 cells south of each point, raised by 2.5: its terrain
//           lies 0.35 cells east and 0.2 cells north of the DEM's
//   blocks  the means of 4 x 4 blocks, and as reference the means of blocks moved 1 point
//           west and 3 points south, raised by 2.5: 0.25 cells east, 0.75 cells north
// Each pair is coregistered with the default sample and with every point. Printed: the
// shift and bias found and their errors, the figures before and after over the fit's
// points and the RMSE over the whole grid, and the times beside the plain report's (the
// median of three runs of `karvo-report GRID`, its output discarded). Nodata is masked.
// Not a test: nothing registers it with CTest.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "analysis/coregistration.h"
#include "model/mountain.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
const float nan = std::numeric_limits<float>::quiet_NaN();

double secondsSince(Clock::time_point begin) { return std::chrono::duration<double>(Clock::now() - begin).count(); }

// The median wall time of three runs of `report grid` with standard output discarded.
double reportSeconds(const std::string& report, const std::string& grid)
{
    std::vector<double> times;
    for (int run = 0; run < 3; run++) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        char* argv[] = {const_cast<char*>(report.c_str()), const_cast<char*>(grid.c_str()), nullptr};
        const auto begin = Clock::now();
        pid_t child = 0;
        int status = 1;
        if (posix_spawn(&child, report.c_str(), &actions, nullptr, argv, environ) != 0 ||
            waitpid(child, &status, 0) != child || status != 0) {
            std::fprintf(stderr, "bench-coregistration: %s %s failed\n", report.c_str(), grid.c_str());
            std::exit(1);
        }
        times.push_back(secondsSince(begin));
        posix_spawn_file_actions_destroy(&actions);
    }
    std::sort(times.begin(), times.end());
    return times[1];
}

// A grid of its own with a view on it; NaN is no value.
struct OwnGrid {
    std::vector<float> v;
    std::vector<const float*> rowStarts;
    GridView view;
    OwnGrid(int rows, int cols, double ground) : v(std::size_t(rows) * cols, nan)
    {
        for (int r = 0; r < rows; r++)
            rowStarts.push_back(v.data() + std::size_t(r) * cols);
        view.rows = rowStarts.data();
        view.nrows = rows;
        view.ncols = cols;
        view.groundX = view.groundY = ground;
    }
};

double keys(double t)  // the cubic convolution kernel, a = -1/2
{
    t = std::fabs(t);
    if (t < 1)
        return (1.5 * t - 2.5) * t * t + 1;
    return t < 2 ? ((-0.5 * t + 2.5) * t - 4) * t + 2 : 0;
}

// g read at (r + down, c + right) from its 4 x 4 neighbours, plus rise; NaN when one of
// them is outside or invalid.
std::vector<float> cubicShift(const GridView& g, double down, double right, double rise)
{
    std::vector<float> out(std::size_t(g.nrows) * g.ncols, nan);
    const int r0 = int(std::floor(down)), c0 = int(std::floor(right));
    const double fr = down - r0, fc = right - c0;
    for (int r = 0; r < g.nrows; r++)
        for (int c = 0; c < g.ncols; c++) {
            double sum = 0;
            bool ok = true;
            for (int i = -1; i <= 2 && ok; i++)
                for (int j = -1; j <= 2 && ok; j++) {
                    const int rr = r + r0 + i, cc = c + c0 + j;
                    ok = g.inside(rr, cc) && g.valid(rr, cc);
                    if (ok)
                        sum += keys(i - fr) * keys(j - fc) * g.at(rr, cc);
                }
            if (ok)
                out[std::size_t(r) * g.ncols + c] = float(sum + rise);
        }
    return out;
}

// The mean of the k x k block of g from (r, c), NaN when a point is outside or invalid.
float blockMean(const GridView& g, int r, int c, int k)
{
    double sum = 0;
    for (int i = 0; i < k; i++)
        for (int j = 0; j < k; j++) {
            if (!g.inside(r + i, c + j) || !g.valid(r + i, c + j))
                return nan;
            sum += g.at(r + i, c + j);
        }
    return float(sum / (k * k));
}

// sqrt(mean (reference - DEM)^2) over the points valid in both.
double gridRmse(const GridView& dem, const std::vector<float>& reference)
{
    double sum = 0;
    long long n = 0;
    for (int r = 0; r < dem.nrows; r++)
        for (int c = 0; c < dem.ncols; c++) {
            const double d = double(reference[std::size_t(r) * dem.ncols + c]) - dem.at(r, c);
            if (dem.valid(r, c) && std::isfinite(d)) {
                sum += d * d;
                n++;
            }
        }
    return n > 0 ? std::sqrt(sum / double(n)) : nan;
}

struct Truth {
    double east, north, bias;  // cells, cells, height units
};

void coregister(const char* name, const GridView& dem, const std::vector<float>& reference, const Truth& truth,
                double reportTime)
{
    std::printf("%s pair, %d x %d, cell %g: the reference lies %.3f cells east, %.3f north, %.3f higher\n", name,
                dem.nrows, dem.ncols, dem.groundX, truth.east, truth.north, truth.bias);
    const double before = gridRmse(dem, reference);
    for (long long cap : {CoregistrationOptions().maxSamplePoints, 0LL}) {
        CoregistrationOptions options;
        options.maxSamplePoints = cap;
        const auto begin = Clock::now();
        const Coregistration k = coregistrationOf(dem, reference.data(), options);
        const double seconds = secondsSince(begin);
        std::printf("  %-13s %9lld points, %2d iterations, %s\n", cap > 0 ? "sampled" : "every point",
                    k.samplePoints, k.iterations, coregistrationStatusText(k.status));
        std::printf("    east %+.4f cells (%+.3f)  north %+.4f cells (%+.3f)  bias %+.4f"
                    "   errors %+.4f %+.4f cells, %+.4f\n",
                    k.eastCells, k.east, k.northCells, k.north, k.bias, k.eastCells - truth.east,
                    k.northCells - truth.north, k.bias - truth.bias);
        if (k.before && k.after)
            std::printf("    fit's points: RMSE %.3f -> %.3f, NMAD %.3f -> %.3f, mean %+.3f -> %+.3f, std %.3f -> %.3f\n",
                        k.before->rmse, k.after->rmse, k.before->nmad, k.after->nmad, k.before->mean,
                        k.after->mean, k.before->std, k.after->std);
        const double after = gridRmse(dem, k.reference);
        std::printf("    whole grid: RMSE %.3f -> %.3f (%.3f of it)\n", before, after, after / before);
        std::printf("    time %.3f s = %.2f x the plain report\n", seconds, seconds / reportTime);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: bench-coregistration GRID [KARVO_REPORT]\n");
        return 2;
    }
    const std::string grid = argv[1], report = argc == 3 ? argv[2] : KARVO_REPORT_BINARY;
    const double reportTime = reportSeconds(report, grid);
    std::printf("plain report on %s: %.3f s (median of 3)\n", grid.c_str(), reportTime);

    maskNodata = true;
    const char* names[2] = {argv[1], nullptr};
    mt.readgridfile(names, 1);
    cellsInDegrees = mt.looksGeographic();
    const GridView dem = mt.view();

    const Truth cubic{0.35, 0.2, 2.5};
    coregister("cubic", dem, cubicShift(dem, cubic.north, -cubic.east, cubic.bias), cubic, reportTime);

    const int k = 4;
    OwnGrid blocks(dem.nrows / k, dem.ncols / k, dem.groundX * k), moved(dem.nrows / k, dem.ncols / k, 0);
    for (int r = 0; r < blocks.view.nrows; r++)
        for (int c = 0; c < blocks.view.ncols; c++) {
            blocks.v[std::size_t(r) * blocks.view.ncols + c] = blockMean(dem, k * r, k * c, k);
            moved.v[std::size_t(r) * blocks.view.ncols + c] = blockMean(dem, k * r + 3, k * c - 1, k) + 2.5f;
        }
    coregister("blocks", blocks.view, moved.v, Truth{0.25, 0.75, 2.5}, reportTime);
    return 0;
}
