// Coregistration (the method and its formulas are in the header). The DEM's side of every
// comparison point, its height, slope and aspect bin, is found once; each iteration then
// only reads the reference at the sample points, and the full grid is resampled once, at
// the end.

#include "analysis/coregistration.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "analysis/grid_shift.h"

namespace {

const double pi = 3.14159265358979323846;
const int aspectBins = 72;
const double binDegrees = 360.0 / aspectBins;
const std::size_t minBinPoints = 3;
// The fit's normal matrix over the bins, divided by their count, has determinant 1/4 for
// bins all around, about 0.05 for bins over half a circle and about 0.001 over a quarter:
// below this the shift across the directions the slopes face is guessed, not measured.
const double minSpread = 0.01;

struct Sample {
    int r, c;
    float dem;
    float tanSlope;     // 0 where there is no slope or it is below the threshold
    std::uint8_t bin;   // aspect bin, aspect / 5 degrees
};

bool slopeAt(const GridView& g, int r, int c, double& tanSlope, double& aspectDegrees)
{
    if (r < 1 || c < 1 || r + 1 >= g.nrows || c + 1 >= g.ncols)
        return false;
    if (!g.valid(r, c - 1) || !g.valid(r, c + 1) || !g.valid(r - 1, c) || !g.valid(r + 1, c))
        return false;
    const double gx = (double(g.at(r, c + 1)) - double(g.at(r, c - 1))) / (2 * g.groundX);
    const double gy = (double(g.at(r - 1, c)) - double(g.at(r + 1, c))) / (2 * g.groundY);
    tanSlope = std::sqrt(gx * gx + gy * gy);
    aspectDegrees = std::atan2(-gx, -gy) * 180 / pi;
    if (aspectDegrees < 0)
        aspectDegrees += 360;
    return std::isfinite(tanSlope);
}

// The finaliser of splitmix64: every bit of a position reaches every bit of its hash.
std::uint64_t hashOf(std::uint64_t k)
{
    k = (k ^ (k >> 30)) * 0xbf58476d1ce4e5b9ull;
    k = (k ^ (k >> 27)) * 0x94d049bb133111ebull;
    return k ^ (k >> 31);
}

long long validPoints(const GridView& g)
{
    long long n = 0;
    for (int r = 0; r < g.nrows; r++)
        for (int c = 0; c < g.ncols; c++)
            n += g.valid(r, c) ? 1 : 0;
    return n;
}

// Shares of the work for the progress: taking the sample and making the coregistered
// reference walk the whole grid; the fits read the sample only.
const double sampledShare = 0.3, fitShare = 0.5;
const int reportedRows = 64;  // rows of a grid walk between two reports

void report(const CoregistrationOptions& o, double share)
{
    if (o.progress)
        o.progress(share);
}

// The valid DEM points the method reads, all or a sample: a point is kept when the top 32
// bits of its position's hash lie below share x 2^32.
std::vector<Sample> samplesOf(const GridView& g, const CoregistrationOptions& o)
{
    const long long valid = validPoints(g);
    const bool all = o.maxSamplePoints <= 0 || valid <= o.maxSamplePoints;
    const double share = all ? 1.0 : double(o.maxSamplePoints) / double(valid);
    const std::uint64_t keep = static_cast<std::uint64_t>(share * 4294967296.0);
    std::vector<Sample> s;
    s.reserve(static_cast<std::size_t>(share * double(valid) + 6 * std::sqrt(share * double(valid)) + 16));
    for (int r = 0; r < g.nrows; r++) {
        for (int c = 0; c < g.ncols; c++) {
            const std::uint64_t position = std::uint64_t(r) * std::uint64_t(g.ncols) + std::uint64_t(c);
            if (!g.valid(r, c) || (!all && (hashOf(position) >> 32) >= keep))
                continue;
            Sample p{r, c, g.at(r, c), 0, 0};
            double tanSlope = 0, aspect = 0;
            if (slopeAt(g, r, c, tanSlope, aspect) && tanSlope > o.minTanSlope) {
                p.tanSlope = static_cast<float>(tanSlope);
                p.bin = static_cast<std::uint8_t>(std::min(int(aspect / binDegrees), aspectBins - 1));
            }
            s.push_back(p);
        }
        if (r % reportedRows == reportedRows - 1)
            report(o, sampledShare * (r + 1) / g.nrows);
    }
    return s;
}

// d = reference - DEM at every sample, the reference read at the shift; NaN where it has
// no value there.
void differencesAt(const std::vector<Sample>& s, const float* reference, const GridView& g, const BilinearShift& shift,
                   std::vector<double>& d)
{
    d.resize(s.size());
    for (std::size_t i = 0; i < s.size(); i++)
        d[i] = double(shift.at(reference, g.nrows, g.ncols, s[i].r, s[i].c)) - double(s[i].dem);
}

// The median of [first, last), which it reorders; of an even count the mean of the two
// middle values.
double medianOf(double* first, double* last)
{
    double* middle = first + (last - first) / 2;
    std::nth_element(first, middle, last);
    if ((last - first) % 2 == 1)
        return *middle;
    return (*std::max_element(first, middle) + *middle) / 2;
}

// median(d) +- 3 NMAD over the values of d that are not NaN (points: how many).
struct Bound {
    double centre = 0, reach = 0;
    std::size_t points = 0;
    bool holds(double d) const { return std::fabs(d - centre) <= reach; }  // false for NaN
};

Bound robustBound(const std::vector<double>& d, std::vector<double>& scratch)
{
    scratch.clear();
    for (double v : d)
        if (!std::isnan(v))
            scratch.push_back(v);
    Bound b;
    b.points = scratch.size();
    if (scratch.empty())
        return b;
    b.centre = medianOf(scratch.data(), scratch.data() + scratch.size());
    for (double& v : scratch)
        v = std::fabs(v - b.centre);
    b.reach = 3 * 1.4826 * medianOf(scratch.data(), scratch.data() + scratch.size());
    return b;
}

struct Fit {
    long long sloped = 0;
    bool spread = false;        // the bins face enough directions for a fit
    double east = 0, north = 0; // in the heights' unit
};

// The least squares fit of y = north cos(psi) + east sin(psi) + c to the bins' medians
// y[k] at their centres psi, by the normal equations and Cramer's rule.
void fitBins(const double* y, const bool* used, Fit& f)
{
    double n[3][3] = {}, rhs[3] = {};
    int bins = 0;
    for (int k = 0; k < aspectBins; k++) {
        if (!used[k])
            continue;
        const double psi = (k + 0.5) * binDegrees * pi / 180;
        const double x[3] = {std::cos(psi), std::sin(psi), 1};
        for (int i = 0; i < 3; i++) {
            rhs[i] += x[i] * y[k];
            for (int j = 0; j < 3; j++)
                n[i][j] += x[i] * x[j];
        }
        bins++;
    }
    auto det = [](const double m[3][3]) {
        return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
               m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    };
    const double whole = det(n);
    f.spread = bins > 0 && whole / (double(bins) * bins * bins) >= minSpread;
    if (!f.spread)
        return;
    double solution[2];
    for (int k = 0; k < 2; k++) {
        double m[3][3];
        for (int i = 0; i < 3; i++)
            for (int j = 0; j < 3; j++)
                m[i][j] = j == k ? rhs[i] : n[i][j];
        solution[k] = det(m) / whole;
    }
    f.north = solution[0];
    f.east = solution[1];
}

// The fit on the sloped samples within the bound: y = (d - centre) / tan(slope), gathered
// bin by bin into scratch, and the median of each bin with at least minBinPoints.
Fit fitShift(const std::vector<Sample>& s, const std::vector<double>& d, const Bound& b, long long minSloped,
             std::vector<double>& scratch)
{
    std::size_t start[aspectBins + 1] = {};
    for (std::size_t i = 0; i < s.size(); i++)
        if (s[i].tanSlope > 0 && b.holds(d[i]))
            start[s[i].bin + 1]++;
    for (int k = 0; k < aspectBins; k++)
        start[k + 1] += start[k];
    Fit f;
    f.sloped = static_cast<long long>(start[aspectBins]);
    if (f.sloped < minSloped)
        return f;
    scratch.resize(start[aspectBins]);
    std::size_t next[aspectBins];
    std::copy(start, start + aspectBins, next);
    for (std::size_t i = 0; i < s.size(); i++)
        if (s[i].tanSlope > 0 && b.holds(d[i]))
            scratch[next[s[i].bin]++] = (d[i] - b.centre) / double(s[i].tanSlope);
    double y[aspectBins] = {};
    bool used[aspectBins] = {};
    for (int k = 0; k < aspectBins; k++) {
        used[k] = start[k + 1] - start[k] >= minBinPoints;
        if (used[k])
            y[k] = medianOf(scratch.data() + start[k], scratch.data() + start[k + 1]);
    }
    fitBins(y, used, f);
    return f;
}

// Fits and shifts until the increment is below the tolerance, maxIterations fits are made
// or a fit fails; d and bound belong to out's shift on entry and on return.
CoregistrationStatus iterate(const GridView& dem, const float* reference, const std::vector<Sample>& s,
                             const CoregistrationOptions& o, std::vector<double>& d, Bound& bound,
                             std::vector<double>& scratch, Coregistration& out)
{
    for (int i = 0; i < o.maxIterations; i++) {
        const Fit fit = fitShift(s, d, bound, o.minSlopedPoints, scratch);
        out.slopedPoints = fit.sloped;
        if (fit.sloped < o.minSlopedPoints)
            return CoregistrationStatus::TooFewSlopedPoints;
        if (!fit.spread)
            return CoregistrationStatus::TooFewAspects;
        const double east = fit.east / dem.groundX, north = fit.north / dem.groundY;
        out.eastCells += east;
        out.northCells += north;
        out.iterations++;
        report(o, sampledShare + fitShare * out.iterations / o.maxIterations);
        differencesAt(s, reference, dem, BilinearShift(-out.northCells, out.eastCells), d);
        bound = robustBound(d, scratch);
        if (bound.points == 0)
            return CoregistrationStatus::NoCommonPoints;
        if (std::hypot(east, north) < o.toleranceCells)
            return CoregistrationStatus::Converged;
    }
    return CoregistrationStatus::NotConverged;
}

// The values of d within the bound, into scratch.
void within(const std::vector<double>& d, const Bound& b, std::vector<double>& scratch)
{
    scratch.clear();
    for (double v : d)
        if (b.holds(v))
            scratch.push_back(v);
}

// The reference read at the shift found, less the bias (shiftedGrid's walk, with the
// progress told as it goes).
std::vector<float> coregisteredReference(const float* reference, const GridView& dem, const Coregistration& k,
                                         const CoregistrationOptions& o)
{
    const BilinearShift shift(-k.northCells, k.eastCells);
    std::vector<float> out(std::size_t(dem.nrows) * std::size_t(dem.ncols));
    float* v = out.data();
    for (int r = 0; r < dem.nrows; r++) {
        for (int c = 0; c < dem.ncols; c++)
            *v++ = static_cast<float>(shift.at(reference, dem.nrows, dem.ncols, r, c) - k.bias);
        if (r % reportedRows == reportedRows - 1)
            report(o, sampledShare + fitShare + (1 - sampledShare - fitShare) * (r + 1) / dem.nrows);
    }
    return out;
}

}  // namespace

const char* coregistrationStatusText(CoregistrationStatus status)
{
    switch (status) {
    case CoregistrationStatus::Converged:
        return "Coregistration converged";
    case CoregistrationStatus::NotConverged:
        return "Coregistration did not converge";
    case CoregistrationStatus::TooFewSlopedPoints:
        return "Coregistration: too few sloped points for the fit";
    case CoregistrationStatus::TooFewAspects:
        return "Coregistration: the sloped points face too few directions for the fit";
    case CoregistrationStatus::NoCommonPoints:
        break;
    }
    return "Coregistration: no point has a value in both grids";
}

Coregistration coregistrationOf(const GridView& dem, const float* reference, const CoregistrationOptions& options)
{
    Coregistration out;
    const std::vector<Sample> samples = samplesOf(dem, options);
    out.samplePoints = static_cast<long long>(samples.size());
    report(options, sampledShare);
    std::vector<double> d, scratch;
    differencesAt(samples, reference, dem, BilinearShift(0, 0), d);
    Bound bound = robustBound(d, scratch);
    if (bound.points > 0) {
        within(d, bound, scratch);
        out.before = accuracyOf(scratch);
        out.status = iterate(dem, reference, samples, options, d, bound, scratch, out);
    }
    out.east = out.eastCells * dem.groundX;
    out.north = out.northCells * dem.groundY;
    within(d, bound, scratch);
    if (!scratch.empty()) {
        out.bias = medianOf(scratch.data(), scratch.data() + scratch.size());
        for (double& v : scratch)
            v -= out.bias;
        out.after = accuracyOf(scratch);
    }
    std::vector<double>().swap(d);
    std::vector<double>().swap(scratch);
    out.reference = coregisteredReference(reference, dem, out, options);
    report(options, 1);
    return out;
}

std::size_t coregistrationBytes(int nrows, int ncols, const CoregistrationOptions& options)
{
    const double points = double(std::max(nrows, 0)) * double(std::max(ncols, 0));
    double samples = points;
    if (options.maxSamplePoints > 0)
        samples = std::min(points, double(options.maxSamplePoints) * 1.01 + 4096);
    // The coregistered reference, the samples, d and one scratch array as long as they.
    return static_cast<std::size_t>(4 * points + samples * (sizeof(Sample) + 2 * sizeof(double)));
}
