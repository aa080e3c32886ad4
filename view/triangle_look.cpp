#include "view/triangle_look.h"

#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "analysis/height_classes.h"
#include "analysis/slope.h"
#include "model/colour_codes.h"
#include "model/mountain.h"
#include "model/numeric.h"
#include "view/vegetation_memo.h"
#include "view/view_state.h"

namespace {

Rgb rgb(const float* c) { return {c[0], c[1], c[2]}; }

}  // namespace

TriangleLooks::TriangleLooks(mountain& model)
    : m(model),
      comparable(comparisonMatchesDem()),
      classInterval(rd.getContourInt() > 0 && model.heightClassesFor(rd.getContourInt()) ? rd.getContourInt() : 0),
      rampMax(truncateToInt(model.getZmax())),
      rampMin(truncateToInt(model.getZmin()))
{
}

TriangleLook TriangleLooks::look(const CellLevels& levels, int row, int col, bool second)
{
    TriangleLook l;
    l.colour = baseColour(l, row, col, second);
    overlay(l, levels, row, col);
    return l;
}

// The first rule that applies.
Rgb TriangleLooks::baseColour(TriangleLook& l, int row, int col, bool second)
{
    if (drawContours || drawPoints) {
        const bool hasData = comparable && comparisonData(rd.grid[row][col]);
        if (drawContours && hasData)
            return {0.7f, 0.7f, 0.7f};
        if (drawPoints && hasData) {
            l.cube = !second;
            return rgb(MountainGreen);
        }
    }
    return rgb(vegetation(row, col) ? MountainGreenHigh : MountainGreen);
}

// The first overlay that applies; later ones are not consulted, and some leave the base
// colour (a height-class table for another interval, a slope angle outside [-90, 90]).
void TriangleLooks::overlay(TriangleLook& l, const CellLevels& levels, int row, int col)
{
    if (drawCurveColor) {
        const int code = curvatureLevelColour(levels.curve);
        if (isErrorColour(code)) {
            l.colour = decodeColour(code);
            return;
        }
    }
    const int diffCode = differenceLevelColour(levels.diff);
    if (drawDiffColor && isErrorColour(diffCode)) {
        l.colour = decodeColour(diffCode);
    } else if (drawDiff && isErrorColour(diffCode)) {
        // Blue where the DEM lies above the comparison, red where below.
        if (!comparable)
            return;
        const float d = m.getElev(row, col) - rd.getGrid(row, col);
        if (d > 0)
            l.colour = {0.3f, 0.3f, 0.9f};
        else if (d < 0)
            l.colour = {0.9f, 0.3f, 0.3f};
        l.needle = true;
        l.needleDifference = d;
    } else if (colorHeightClasses) {
        if (classInterval > 0) {
            const int count = m.classes()[heightClass(m.grid[row][col], classInterval)];
            l.colour = {heightClassRed(count, m.classMin(), m.classMax()), 0.6f, 0.3f};
        }
    } else if (drawColors) {
        l.colour = heightRamp(rampMax, rampMin, truncateToInt(m.grid[row][col]));
    } else if (colorSlope) {
        const SlopeColour c = slopeColour(colorSlopeDeg(row, col));
        if (c.set)
            l.colour = {c.red, c.green, c.blue};
    }
}

bool TriangleLooks::vegetation(int row, int col)
{
    return &m == &mt ? rememberedVegetationHigh(row, col) : vegetationHigh(m.grid[row][col], row, col);
}
