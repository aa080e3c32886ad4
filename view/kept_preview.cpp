#include "view/kept_preview.h"

#include <cstring>

#include "analysis/slope.h"
#include "model/mountain.h"
#include "view/view_state.h"

KeptPreview keptPreview;

namespace {

std::uint64_t bits(float value)
{
    std::uint32_t b;
    std::memcpy(&b, &value, sizeof b);
    return b;
}

std::uint64_t address(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

}  // namespace

std::vector<std::uint64_t> previewKey(int step)
{
    return {std::uint64_t(step),
            address(mt.grid),
            std::uint64_t(mt.nrows),
            std::uint64_t(mt.ncols),
            bits(mt.groundCellsize()),
            std::uint64_t(mt.masking()),
            bits(mt.movex),
            bits(mt.movey),
            bits(mt.scalefactor),
            bits(mt.zcenter),
            bits(mt.zscale),
            bits(mt.zmin),
            bits(mt.zmax),
            address(mt.curveLevels.data()),
            address(mt.diffLevels.data()),
            address(mt.classes().data()),
            std::uint64_t(mt.classInterval()),
            std::uint64_t(mt.classMin()),
            std::uint64_t(mt.classMax()),
            address(rd.grid),
            std::uint64_t(rd.getContourInt()),
            std::uint64_t(TREELINE),
            bits(SLOPE),
            std::uint64_t(drawTriangles) | std::uint64_t(drawContours) << 1 | std::uint64_t(drawPoints) << 2 |
                std::uint64_t(drawCurveColor) << 3 | std::uint64_t(drawDiffColor) << 4 | std::uint64_t(drawDiff) << 5 |
                std::uint64_t(colorHeightClasses) << 6 | std::uint64_t(drawColors) << 7 |
                std::uint64_t(colorSlope) << 8 | std::uint64_t(plotProfile) << 9,
            std::uint64_t(std::int64_t(profileYpos))};
}

void forgetPreview()
{
    keptPreview.key.clear();
    keptPreview.bands.clear();
    keptPreview.bands.shrink_to_fit();
}
