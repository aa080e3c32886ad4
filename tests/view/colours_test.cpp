#include <gtest/gtest.h>

#include "model/colour_codes.h"
#include "view/colours.h"
#include "view/renderer.h"

namespace {

TEST(Colours, PackedCodesDecodeToTenths)
{
    struct Case {
        int code;
        float red, green, blue;
    } cases[] = {{RED, 1, 0, 0.2f}, {YELLOW, 1, 1, 0.2f}, {ORANGE, 1, 0.6f, 0.2f}, {VIOLET, 1, 0.2f, 1}, {10203, 0.1f, 0.2f, 0.3f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const Rgb rgb = decodeColour(c.code);
        EXPECT_FLOAT_EQ(rgb.red, c.red);
        EXPECT_FLOAT_EQ(rgb.green, c.green);
        EXPECT_FLOAT_EQ(rgb.blue, c.blue);
    }
}

TEST(Colours, HeightRampRunsThroughThreeThirds)
{
    // Range 300: thirds of 100.
    struct Case {
        int height;
        float red, green;
    } cases[] = {{1000, 0, 0.3f}, {1050, 0, 0.65f}, {1099, 0, 0.3f + 0.7f * 99 / 100}, {1100, 0, 1},
                 {1150, 0.5f, 1}, {1200, 1, 1},     {1250, 1, 0.5f},                   {1300, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.height);
        const Rgb rgb = heightRamp(1300, 1000, c.height);
        EXPECT_FLOAT_EQ(rgb.red, c.red);
        EXPECT_FLOAT_EQ(rgb.green, c.green);
        EXPECT_EQ(rgb.blue, 0.0f);
    }
}

TEST(Colours, HeightRampOfANearlyFlatGridIsDarkGreen)
{
    for (int range : {0, 1, 2}) {
        const Rgb rgb = heightRamp(500 + range, 500, 501);
        EXPECT_EQ(rgb.red, 0.0f);
        EXPECT_FLOAT_EQ(rgb.green, 0.3f);
        EXPECT_EQ(rgb.blue, 0.0f);
    }
    const Rgb extreme = heightRamp(2147483647, -2147483647 - 1, 0);  // no overflow either
    EXPECT_GE(extreme.green, 0.0f);
}

TEST(Colours, HeightClassShadeRunsFromRarestToMostFrequent)
{
    EXPECT_FLOAT_EQ(heightClassRed(3, 3, 11), 0.2f);
    EXPECT_FLOAT_EQ(heightClassRed(11, 3, 11), 1.0f);
    EXPECT_FLOAT_EQ(heightClassRed(7, 3, 11), 0.6f);
    EXPECT_FLOAT_EQ(heightClassRed(5, 5, 5), 0.2f);
}

TEST(Renderer, DragPreviewDetailFollowsTheGridSize)
{
    // Up to 100000 points a held button thins the triangles; above, coarse cells of
    // k x k cells keep the preview near 250000 cells.
    struct Case {
        int rows, cols;
        bool held;
        int triangleStep, cellStep;
    } cases[] = {{300, 300, false, 1, 0},      {300, 300, true, 1, 0},       {400, 250, true, 2, 0},
                 {317, 317, true, 1, 1},       {2, 60000, true, 1, 1},       {501, 501, true, 1, 1},
                 {502, 502, true, 1, 2},       {1000, 1000, true, 1, 2},     {1000, 1000, false, 1, 0},
                 {4000, 4000, true, 1, 8},     {10000, 10000, true, 1, 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " x " << c.cols << (c.held ? " held" : ""));
        EXPECT_EQ(frameStep(c.rows, c.cols, c.held), c.triangleStep);
        EXPECT_EQ(previewStep(c.rows, c.cols, c.held), c.cellStep);
    }
}

}  // namespace
