#include "analysis/relief_picture.h"

#include <algorithm>
#include <cmath>

namespace {

// The relief greys run from 40 in full shadow to 240 facing the sun, leaving black for
// the place marker and white for the page.
Rgb8 reliefGrey(float shade)
{
    const auto grey = static_cast<std::uint8_t>(40.0f + 200.0f * std::clamp(shade, 0.0f, 1.0f) + 0.5f);
    return {grey, grey, grey};
}

// Pixel i of n covers the cells first + floor(i cells / n) up to, not including, first +
// floor((i + 1) cells / n); an enlarged picture (n > cells) covers one cell per pixel.
struct Span {
    int begin, end;
};
Span span(int i, int n, int first, int cells)
{
    const auto at = [&](int k) { return first + static_cast<int>(static_cast<long long>(k) * cells / n); };
    const int begin = at(i);
    return {begin, std::max(at(i + 1), begin + 1)};
}

std::vector<Span> spans(int n, int first, int cells)
{
    std::vector<Span> all;
    for (int i = 0; i < n; i++)
        all.push_back(span(i, n, first, cells));
    return all;
}

// cellShade with the factors 1 / (2 dx) and 1 / (2 dy) given, in single precision.
inline float shadeOf(float nw, float ne, float sw, float se, float toEast, float toNorth)
{
    const float p = ((ne + se) - (nw + sw)) * toEast;
    const float q = ((nw + ne) - (sw + se)) * toNorth;
    return std::max((0.5f * p - 0.5f * q + 0.70710678f) / std::sqrt(1.0f + p * p + q * q), 0.0f);
}

// The shades of the cells first .. first + out.size() - 1 of cell row r; NaN where a
// corner holds no height. heights is room for the rows' validity.
void shadeRow(const GridView& g, int r, int first, float toEast, float toNorth, std::vector<float>& out,
              std::vector<std::uint8_t>& heights)
{
    const float* north = g.rows[r];
    const float* south = g.rows[r + 1];
    // Whether each point of the two rows holds a height, looked at once rather than by
    // each of the four cells it is a corner of.
    heights.resize(2 * (out.size() + 1));
    std::uint8_t* up = heights.data();
    std::uint8_t* down = up + out.size() + 1;
    for (std::size_t i = 0; i <= out.size(); i++) {
        up[i] = validHeight(north[first + i], g.maskValue, g.nodata);
        down[i] = validHeight(south[first + i], g.maskValue, g.nodata);
    }
    for (std::size_t i = 0; i < out.size(); i++) {
        const std::size_t c = first + i;
        out[i] = up[i] & up[i + 1] & down[i] & down[i + 1]
                     ? shadeOf(north[c], north[c + 1], south[c], south[c + 1], toEast, toNorth)
                     : NAN;
    }
}

// The relief of the frame's cells into its picture, already of its size.
void shade(const GridView& g, ReliefPicture& p, double exaggeration)
{
    const std::vector<Span> columns = spans(p.picture.width, p.firstCol, p.cols);
    std::vector<float> cells(static_cast<std::size_t>(p.cols)), sum(columns.size());
    std::vector<std::uint8_t> heights;
    std::vector<int> shaded(columns.size());
    const auto toEast = static_cast<float>(exaggeration / (2 * g.groundX));
    const auto toNorth = static_cast<float>(exaggeration / (2 * g.groundY));
    for (int y = 0; y < p.picture.height; y++) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        std::fill(shaded.begin(), shaded.end(), 0);
        const Span rows = span(y, p.picture.height, p.firstRow, p.rows);
        for (int r = rows.begin; r < rows.end; r++) {
            shadeRow(g, r, p.firstCol, toEast, toNorth, cells, heights);
            for (std::size_t x = 0; x < columns.size(); x++)
                for (int c = columns[x].begin; c < columns[x].end; c++) {
                    const float v = cells[static_cast<std::size_t>(c - p.firstCol)];
                    if (!std::isnan(v)) {
                        sum[x] += v;
                        shaded[x]++;
                    }
                }
        }
        for (std::size_t x = 0; x < columns.size(); x++)
            if (shaded[x] > 0)
                p.picture.set(static_cast<int>(x), y, reliefGrey(sum[x] / float(shaded[x])));
    }
}

ReliefPicture shadedFrame(const GridView& g, int firstRow, int firstCol, int rows, int cols, int width, int height,
                          double exaggeration)
{
    ReliefPicture p;
    p.firstRow = firstRow;
    p.firstCol = firstCol;
    p.rows = rows;
    p.cols = cols;
    p.cellsPerPixel = double(cols) / double(width);
    p.picture = Picture(width, height, reliefNoData);
    shade(g, p, exaggeration);
    return p;
}

LevelOverlay overlayOf(const std::uint8_t* levels, std::size_t count, std::vector<Rgb8> colours)
{
    LevelOverlay overlay;
    overlay.levels = levels;
    overlay.count = count;
    overlay.colours = std::move(colours);
    return overlay;
}

bool overlayFits(const GridView& g, const LevelOverlay& o, const ReliefPicture& p)
{
    return o.levels != nullptr && o.colours.size() >= 2 && g.nrows > 1 && g.ncols > 1 &&
           o.count == static_cast<std::size_t>(g.nrows - 1) * static_cast<std::size_t>(g.ncols - 1) &&
           p.firstRow >= 0 && p.firstCol >= 0 && p.firstRow + p.rows <= g.nrows - 1 &&
           p.firstCol + p.cols <= g.ncols - 1 && !p.picture.empty();
}

}  // namespace

LevelOverlay curvatureOverlay(const std::uint8_t* levels, std::size_t count)
{
    return overlayOf(levels, count, curvatureLevelColours());
}

LevelOverlay differenceOverlay(const std::uint8_t* levels, std::size_t count)
{
    return overlayOf(levels, count, differenceLevelColours());
}

float cellShade(float nw, float ne, float sw, float se, double dx, double dy)
{
    return shadeOf(nw, ne, sw, se, static_cast<float>(1 / (2 * dx)), static_cast<float>(1 / (2 * dy)));
}

ReliefPicture shadedRelief(const GridView& grid, const ReliefStyle& style)
{
    const int rows = grid.nrows - 1, cols = grid.ncols - 1;
    if (rows < 1 || cols < 1 || style.maxWidth < 1 || style.maxHeight < 1)
        return {};
    int width = 0, height = 0;
    if (cols <= style.maxWidth && rows <= style.maxHeight) {
        const int k = std::clamp(std::min(style.maxWidth / cols, style.maxHeight / rows), 1,
                                 std::max(style.maxPixelsPerCell, 1));
        width = cols * k;
        height = rows * k;
    } else {
        const double reduction = std::max(double(cols) / style.maxWidth, double(rows) / style.maxHeight);
        width = std::clamp(static_cast<int>(std::ceil(cols / reduction)), 1, style.maxWidth);
        height = std::clamp(static_cast<int>(std::ceil(rows / reduction)), 1, style.maxHeight);
    }
    return shadedFrame(grid, 0, 0, rows, cols, width, height, style.exaggeration);
}

ReliefPicture withLevels(const ReliefPicture& relief, const GridView& grid, const LevelOverlay& overlay)
{
    ReliefPicture out = relief;
    if (!overlayFits(grid, overlay, relief))
        return out;
    Picture& p = out.picture;
    const std::vector<Span> columns = spans(p.width, relief.firstCol, relief.cols);
    std::vector<std::uint8_t> worst(columns.size());
    const std::size_t stride = static_cast<std::size_t>(grid.ncols - 1);
    for (int y = 0; y < p.height; y++) {
        std::fill(worst.begin(), worst.end(), 0);
        const Span rows = span(y, p.height, relief.firstRow, relief.rows);
        for (int r = rows.begin; r < rows.end; r++) {
            const std::uint8_t* levels = overlay.levels + static_cast<std::size_t>(r) * stride;
            for (std::size_t x = 0; x < columns.size(); x++)
                for (int c = columns[x].begin; c < columns[x].end; c++)
                    worst[x] = std::max(worst[x], levels[c]);
        }
        for (std::size_t x = 0; x < columns.size(); x++)
            if (worst[x] > 0)
                p.set(static_cast<int>(x), y, overlay.colours[std::min<std::size_t>(worst[x], overlay.colours.size() - 1)]);
    }
    return out;
}

ReliefPicture reliefPicture(const GridView& grid, const LevelOverlay& overlay, const ReliefStyle& style)
{
    return withLevels(shadedRelief(grid, style), grid, overlay);
}

ReliefPicture placePicture(const GridView& grid, const LevelOverlay& overlay, int row, int col, int cells,
                           int pixelsPerCell, double exaggeration)
{
    if (row < 0 || col < 0 || row >= grid.nrows - 1 || col >= grid.ncols - 1 || cells < 1 || pixelsPerCell < 1)
        return {};
    const int firstRow = std::max(row - cells / 2, 0), firstCol = std::max(col - cells / 2, 0);
    const int rows = std::min(row - cells / 2 + cells, grid.nrows - 1) - firstRow;
    const int cols = std::min(col - cells / 2 + cells, grid.ncols - 1) - firstCol;
    ReliefPicture p = withLevels(
        shadedFrame(grid, firstRow, firstCol, rows, cols, cols * pixelsPerCell, rows * pixelsPerCell, exaggeration),
        grid, overlay);
    // The ring stands two cells out from the place, so that the place and its neighbours
    // stay in view; a white edge outside it keeps it apart from dark relief.
    const int x = (col - firstCol) * pixelsPerCell, y = (row - firstRow) * pixelsPerCell;
    const int inner = pixelsPerCell * 2, thickness = std::max(pixelsPerCell / 2, 1);
    for (int t = 0; t <= thickness; t++)
        p.picture.outline(x - inner - t, y - inner - t, x + pixelsPerCell - 1 + inner + t,
                          y + pixelsPerCell - 1 + inner + t, t < thickness ? placeMarker : Rgb8{255, 255, 255});
    return p;
}
