#include "analysis/comparison_coregistration.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "analysis/comparison_fit.h"
#include "analysis/loader.h"
#include "model/available_memory.h"
#include "model/grid_rows.h"
#include "model/mountain.h"

namespace {

// The reference as read while rd holds the coregistered one; the header is rd's own.
struct Kept {
    float** grid = nullptr;
    long long nonFinite = 0;
    float zmin = 0, zmax = 0;
};
Kept asRead;

void exchangeWithRd(Kept& k)
{
    std::swap(k.grid, rd.grid);
    std::swap(k.nonFinite, rd.nonFinite);
    std::swap(k.zmin, rd.zmin);
    std::swap(k.zmax, rd.zmax);
}

// rd's values in one block, with NaN where a value carries no comparison data.
std::vector<float> referenceValues()
{
    std::vector<float> v(std::size_t(rd.nrows) * std::size_t(rd.ncols));
    float* out = v.data();
    for (int r = 0; r < rd.nrows; r++)
        for (int c = 0; c < rd.ncols; c++)
            *out++ = comparisonData(rd.grid[r][c]) ? rd.grid[r][c] : std::numeric_limits<float>::quiet_NaN();
    return v;
}

// The input's copy, the kernel's own and the rows the result moves into.
std::string memoryProblem(const CoregistrationOptions& options)
{
    const std::uint64_t points = std::uint64_t(rd.nrows) * std::uint64_t(rd.ncols);
    const std::uint64_t needed = 4 * points + coregistrationBytes(rd.nrows, rd.ncols, options) +
                                 GridRows::bytes(rd.nrows, rd.ncols);
    const std::uint64_t available = availableMemoryBytes();
    if (needed <= available)
        return "";
    return "cannot be coregistered: that needs " + megabytes(needed) + " of memory and " + megabytes(available) +
           " are available";
}

// The coregistered values moved into rows of the model's layout.
GridRows rowsOf(std::vector<float>& values)
{
    GridRows rows = GridRows::make(rd.nrows, rd.ncols);
    if (rows)
        std::memcpy(rows.first(), values.data(), values.size() * sizeof(float));
    std::vector<float>().swap(values);
    return rows;
}

// The kernel's progress as a share of the whole run, which copies the reference before it
// and takes the difference pass after it.
CoregistrationOptions withinRun(const CoregistrationOptions& options)
{
    CoregistrationOptions o = options;
    if (options.progress)
        o.progress = [&options](double share) { options.progress(0.1 + 0.8 * share); };
    return o;
}

}  // namespace

ComparisonCoregistration coregisterComparison(const CoregistrationOptions& options)
{
    undoCoregistration();
    ComparisonCoregistration out;
    if (!multFiles || !comparisonMatchesDem()) {
        out.problem = "cannot be coregistered: it is not on the DEM's grid";
        return out;
    }
    out.problem = memoryProblem(options);
    if (!out.problem.empty())
        return out;
    {
        std::vector<float> reference = referenceValues();
        out.result = coregistrationOf(mt.view(), reference.data(), withinRun(options));
    }
    if (out.result.status == CoregistrationStatus::NoCommonPoints) {
        std::vector<float>().swap(out.result.reference);
        return out;
    }
    GridRows rows = rowsOf(out.result.reference);
    if (!rows) {
        out.problem = "cannot be coregistered: there is no memory for the coregistered grid";
        return out;
    }
    asRead = {rows.release(), 0, 0, 0};
    exchangeWithRd(asRead);
    settleValues(rd);
    mt.compute_diff_color();
    out.applied = true;
    if (options.progress)
        options.progress(1);
    return out;
}

bool comparisonCoregistered() { return asRead.grid != nullptr; }

void undoCoregistration()
{
    if (asRead.grid == nullptr)
        return;
    exchangeWithRd(asRead);
    forgetCoregistration();
    mt.compute_diff_color();
}

void forgetCoregistration()
{
    releaseRows(asRead.grid);
    asRead = Kept();
}
