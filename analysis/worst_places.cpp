// Worst places. Only the order of the cells up to the n-th place's first cell matters: a
// cell later in the order can join only a place already formed, and once n places exist
// it joins one of them or a later one, whose figures are not asked for. Each place
// gathers at most 7 x 7 cells, so the n-th place forms among the first 49(n - 1) + 1
// cells in order; one pass keeps the best 49n, and the later cells that join the first n
// places are found in those places' neighbourhoods.

#include "analysis/worst_places.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <unordered_map>

#include "analysis/curvature.h"
#include "analysis/difference.h"

namespace {

const int reach = 3;                                       // in rows and in columns
const int mostCells = (2 * reach + 1) * (2 * reach + 1);  // in one place

struct Candidate {
    float value;  // kappa, or |d|
    int row, col;
};

// Larger value first, ties by row, then column.
bool before(const Candidate& a, const Candidate& b)
{
    if (a.value != b.value)
        return a.value > b.value;
    return a.row != b.row ? a.row < b.row : a.col < b.col;
}

bool hasComparison(const WorstPlacesInput& in)
{
    const GridView* g = in.comparison;
    return g != nullptr && g->rows != nullptr && g->nrows == in.dem.nrows && g->ncols == in.dem.ncols;
}

// Whether cell (r, c) can have figures of the kind: curvature needs the point's four
// neighbours, so not the first row or column; the last row and column of points are no
// cells.
bool inRange(const GridView& g, PlaceKind kind, int r, int c)
{
    const int first = kind == PlaceKind::curvature ? 1 : 0;
    return r >= first && c >= first && r + 1 < g.nrows && c + 1 < g.ncols;
}

// The unit's thresholds as the pass computes them, in float.
struct Grading {
    explicit Grading(const WorstPlacesInput& in)
        : above{in.unit, 2 * in.unit, 3 * in.unit}, interval(static_cast<float>(in.interval))
    {
    }
    float above[3];
    float interval;
};

// The value cell (r, c), one of the kind's cells, is ranked by: kappa, or |d| where the
// comparison value is above 0; false when it has none.
inline bool rankValue(const WorstPlacesInput& in, PlaceKind kind, int r, int c, float& value)
{
    if (kind == PlaceKind::curvature) {
        value = curvatureAt(in.dem, r, c);
        return true;
    }
    const float g = in.comparison->at(r, c);
    value = std::fabs(in.dem.at(r, c) - g);  // the level of d is that of |d|
    return g > 0;
}

inline int levelOf(const Grading& grading, PlaceKind kind, float value)
{
    return kind == PlaceKind::curvature ? curvatureLevel(value, grading.above)
                                        : differenceLevel(value, grading.interval);
}

// The best `keep` candidates (or more) of those added, in a buffer of twice that size
// that is cut back to the best `keep` whenever it fills.
class Selection {
public:
    explicit Selection(std::size_t keep) : keep(keep) { kept.reserve(2 * keep); }

    // Cells come in row order: one whose value equals the least kept comes after it.
    bool wants(float value) const { return !full || value > least.value; }
    void add(const Candidate& c)
    {
        kept.push_back(c);
        if (kept.size() == 2 * keep)
            cut();
    }
    std::vector<Candidate> inOrder()
    {
        std::sort(kept.begin(), kept.end(), before);
        return std::move(kept);
    }

private:
    void cut()
    {
        std::nth_element(kept.begin(), kept.begin() + std::ptrdiff_t(keep - 1), kept.end(), before);
        kept.resize(keep);
        least = kept.back();
        full = true;
    }

    std::size_t keep;
    std::vector<Candidate> kept;
    bool full = false;
    Candidate least{0, 0, 0};
};

void scan(const WorstPlacesInput& in, PlaceKind kind, Selection& best)
{
    const Grading grading(in);
    const int first = kind == PlaceKind::curvature ? 1 : 0;
    float value = 0;
    // Once the selection is full, few cells pass its test, which is the cheapest; masking
    // costs most.
    for (int r = first; r + 1 < in.dem.nrows; r++)
        for (int c = first; c + 1 < in.dem.ncols; c++)
            if (rankValue(in, kind, r, c, value) && best.wants(value) && levelOf(grading, kind, value) >= 1 &&
                !cellMasked(in.dem, r, c))
                best.add({value, r, c});
}

// The places' first cells by 4 x 4 block of cells. First cells of two places are more
// than 3 apart in row or column, so no block holds two.
class PlaceIndex {
public:
    void add(int place, int r, int c)
    {
        byBlock.emplace(key(block(r), block(c)), place);
        firsts.push_back({r, c});
    }
    // The first place whose first cell lies within 3 rows and 3 columns of (r, c); -1 if none.
    int firstNear(int r, int c) const
    {
        int found = -1;
        for (int br = block(r - reach); br <= block(r + reach); br++)
            for (int bc = block(c - reach); bc <= block(c + reach); bc++) {
                const auto it = byBlock.find(key(br, bc));
                if (it == byBlock.end())
                    continue;
                const auto& first = firsts[std::size_t(it->second)];
                if (std::abs(first.first - r) <= reach && std::abs(first.second - c) <= reach &&
                    (found < 0 || it->second < found))
                    found = it->second;
            }
        return found;
    }

private:
    static int block(int i) { return (i + 4) / 4; }  // i >= -3
    static long long key(int br, int bc) { return (static_cast<long long>(br) << 32) | unsigned(bc); }

    std::unordered_map<long long, int> byBlock;
    std::vector<std::pair<int, int>> firsts;
};

// Adds the cells after `last` in the order that join one of the places: they lie in its
// neighbourhood and no earlier place is as near.
void countLater(const WorstPlacesInput& in, PlaceKind kind, const PlaceIndex& index,
                const std::vector<Candidate>& firsts, std::vector<int>& cells)
{
    const Grading grading(in);
    const Candidate& last = firsts.back();
    float value = 0;
    for (std::size_t p = 0; p < firsts.size(); p++)
        for (int r = firsts[p].row - reach; r <= firsts[p].row + reach; r++)
            for (int c = firsts[p].col - reach; c <= firsts[p].col + reach; c++)
                if (inRange(in.dem, kind, r, c) && rankValue(in, kind, r, c, value) &&
                    levelOf(grading, kind, value) >= 1 && !cellMasked(in.dem, r, c) &&
                    before(last, {value, r, c}) && index.firstNear(r, c) == int(p))
                    cells[p]++;
}

Place placeAt(const WorstPlacesInput& in, PlaceKind kind, const Candidate& first)
{
    const GridView& g = in.dem;
    const Grading grading(in);
    Place p;
    p.kind = kind;
    p.row = first.row;
    p.col = first.col;
    p.x = g.x(first.col);
    p.y = g.y(first.row);
    p.height = g.at(first.row, first.col);
    p.hasCurvature = inRange(g, PlaceKind::curvature, first.row, first.col);
    if (p.hasCurvature) {
        p.curvature = curvatureAt(g, first.row, first.col);
        p.curvatureLevel = curvatureLevel(p.curvature, grading.above);
    }
    const float compared = hasComparison(in) ? in.comparison->at(first.row, first.col) : 0;
    p.hasDifference = compared > 0;
    if (p.hasDifference) {
        p.difference = p.height - compared;
        p.differenceLevel = differenceLevel(p.difference, grading.interval);
    }
    return p;
}

}  // namespace

const char* placeKindName(PlaceKind kind) { return kind == PlaceKind::curvature ? "curvature" : "difference"; }

std::vector<Place> worstPlaces(const WorstPlacesInput& in, PlaceKind kind, int n)
{
    if (n < 1 || in.dem.rows == nullptr || (kind == PlaceKind::difference && !hasComparison(in)))
        return {};
    const std::size_t cells = std::size_t(std::max(in.dem.nrows - 1, 0)) * std::size_t(std::max(in.dem.ncols - 1, 0));
    Selection best(std::max<std::size_t>(1, std::min(std::size_t(n) * mostCells, cells)));
    scan(in, kind, best);
    const std::vector<Candidate> order = best.inOrder();

    PlaceIndex index;
    std::vector<Candidate> firsts;
    std::vector<int> gathered;
    for (std::size_t i = 0; i < order.size() && firsts.size() < std::size_t(n); i++) {
        const int near = index.firstNear(order[i].row, order[i].col);
        if (near >= 0) {
            gathered[std::size_t(near)]++;
            continue;
        }
        index.add(int(firsts.size()), order[i].row, order[i].col);
        firsts.push_back(order[i]);
        gathered.push_back(1);
    }
    // With fewer places than n every candidate was kept and has been placed.
    if (firsts.size() == std::size_t(n))
        countLater(in, kind, index, firsts, gathered);

    std::vector<Place> places;
    for (std::size_t p = 0; p < firsts.size(); p++) {
        places.push_back(placeAt(in, kind, firsts[p]));
        places.back().rank = int(p) + 1;
        places.back().cells = gathered[p];
    }
    return places;
}

Place cellFigures(const WorstPlacesInput& in, int r, int c)
{
    Place p = placeAt(in, PlaceKind::curvature, {0, r, c});
    p.cells = 1;
    if (!inRange(in.dem, PlaceKind::difference, r, c) || cellMasked(in.dem, r, c)) {
        const Place none;
        p.hasCurvature = p.hasDifference = false;
        p.curvature = p.difference = none.curvature;
        p.curvatureLevel = p.differenceLevel = none.curvatureLevel;
    }
    return p;
}
