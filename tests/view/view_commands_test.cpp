#include <string>
#include <vector>

#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "analysis/slope.h"
#include "model/colour_codes.h"
#include "analysis/loader.h"
#include "model/mountain.h"
#include "tests/support/gl_view.h"
#include "tests/support/grid_files.h"
#include "view/view_state.h"

namespace {

class ViewCommandsTest : public ViewTest {
protected:
    bool begin(const std::string& dem, const std::string& comparison, int fileType, int interval)
    {
        const bool two = !comparison.empty();
        testing::internal::CaptureStdout();
        const bool ok = view->Begin(25, true, two ? 2 : 1, dem.c_str(), two ? comparison.c_str() : nullptr, 2,
                                    fileType, 2500, interval, xll, yll, size) == LoadOutcome::Loaded;
        testing::internal::GetCapturedStdout();
        return ok;
    }
    float xll = 0, yll = 0, size = 0;
};

TEST_F(ViewCommandsTest, BeginSetsTheViewAndLoads)
{
    GridHeader header;
    header.nrows = 4;
    header.ncols = 5;
    header.xllcorner = 612000;
    header.yllcorner = 5143000;
    header.cellsize = 25;
    const std::string dem = dir.file("dem.grd");
    writeGridFile(dem, header, flat(4, 5, 100));
    ASSERT_TRUE(begin(dem, "", 3, 0));
    EXPECT_TRUE(OPEN);
    EXPECT_TRUE(REDRAW);
    EXPECT_EQ(FILES, 1);
    EXPECT_EQ(TREELINE, 2500);
    EXPECT_EQ(SLOPE, 25.0f);
    EXPECT_EQ(mt.exageration, 2.0f);
    EXPECT_EQ(xll, 612000.0f);
    EXPECT_EQ(yll, 5143000.0f);
    EXPECT_EQ(size, 25.0f);
    EXPECT_EQ(rd.getContourInt(), 0);
    EXPECT_FALSE(multFiles);
}

TEST_F(ViewCommandsTest, ContourIntervalIsPresetOrInferredByFileType)
{
    const std::string dem = grid("dem.grd", 4, 4, flat(4, 4, 100));
    const std::string contours = grid("cmp.grd", 4, 4, surface(4, 4, [](int r, int) { return r == 1 ? 100.0 : r == 2 ? 110.0 : 0.0; }));
    struct Case {
        int fileType, interval, expected;
    } cases[] = {{1, 30, 30}, {2, 40, 40}, {3, 50, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileType);
        rd.setContourInt(77);
        ASSERT_TRUE(begin(dem, contours, c.fileType, c.interval));
        EXPECT_EQ(view->getCont(), c.expected);
        EXPECT_EQ(FILES, 2);
        EXPECT_TRUE(multFiles);
    }
}

TEST_F(ViewCommandsTest, RefusedPairChangesNoViewState)
{
    EXPECT_FALSE(begin(grid("dem.grd", 4, 4, flat(4, 4, 1)), grid("cmp.grd", 4, 3, flat(4, 3, 1)), 1, 20));
    EXPECT_FALSE(OPEN);
    EXPECT_EQ(FILES, 0);
    EXPECT_EQ(mt.grid, nullptr);
}

TEST_F(ViewCommandsTest, HeightsComputesTheTableOnlyOnce)
{
    ASSERT_TRUE(begin(grid("dem.grd", 10, 10, flat(10, 10, 1505)), grid("cmp.grd", 10, 10, flat(10, 10, 0)), 1, 10));
    testing::internal::CaptureStdout();
    view->heights(nullptr);
    const std::string report = testing::internal::GetCapturedStdout();
    EXPECT_EQ(report.rfind("Height Classes Output\n", 0), 0u);
    EXPECT_TRUE(colorHeightClasses);
    ASSERT_NE(mt.getClasses(), nullptr);
    mt.getClasses()[5] = 12345;  // a recomputation would put 100 back
    testing::internal::CaptureStdout();
    view->heights(nullptr);
    view->heights(nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(mt.classes()[5], 12345);
    testing::internal::CaptureStdout();
    const int* classes = view->graphHeights();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(classes[5], 100);
}

TEST_F(ViewCommandsTest, HeightsRebuildsATableOfAnotherInterval)
{
    // 1515 is class 5 of interval 10 and class 15 of interval 20.
    ASSERT_TRUE(begin(grid("dem.grd", 10, 10, flat(10, 10, 1515)), grid("cmp.grd", 10, 10, flat(10, 10, 0)), 1, 10));
    testing::internal::CaptureStdout();
    view->heights(nullptr);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(mt.classes()[5], 100);
    ASSERT_TRUE(begin(grid("dem.grd", 10, 10, flat(10, 10, 1515)), grid("cmp.grd", 10, 10, flat(10, 10, 0)), 1, 20));
    testing::internal::CaptureStdout();
    view->heights(nullptr);
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(mt.heightClassesFor(20));
    EXPECT_EQ(mt.classes()[5], 0);
    EXPECT_EQ(mt.classes()[15], 100);
}

TEST_F(ViewCommandsTest, CerrRecomputesEvenWhenSwitchingOff)
{
    ASSERT_TRUE(begin(grid("dem.grd", 5, 5, spike(5, 5, 0, 2, 2, 10)), "", 3, 0));
    EXPECT_EQ(C15, 5);
    units = 20;
    view->cerr(nullptr);
    EXPECT_TRUE(drawCurveColor);
    EXPECT_EQ(C15, 0);
    EXPECT_EQ(C5, 1);
    units = 1;
    view->cerr(nullptr);
    EXPECT_FALSE(drawCurveColor);
    EXPECT_EQ(C15, 5);
}

TEST_F(ViewCommandsTest, ModCurveErrRegradesWithTheNewUnit)
{
    ASSERT_TRUE(begin(grid("dem.grd", 5, 5, spike(5, 5, 0, 2, 2, 10)), "", 3, 0));
    view->modCurveErr(4.5f);
    EXPECT_EQ(units, 4.5f);
    EXPECT_EQ(C15, 1);
    EXPECT_EQ(C10, 4);
}

TEST_F(ViewCommandsTest, LerrFlipsBothDifferenceFlagsTogether)
{
    view->lerr(nullptr);
    EXPECT_TRUE(drawDiff);
    EXPECT_TRUE(drawDiffColor);
    view->lerr(nullptr);
    EXPECT_FALSE(drawDiff);
    EXPECT_FALSE(drawDiffColor);
}

TEST_F(ViewCommandsTest, ChangeProfAcceptsOnlyRowsOfTheGrid)
{
    ASSERT_TRUE(begin(grid("dem.grd", 6, 4, flat(6, 4, 1)), "", 3, 0));
    view->changeProf(5);
    EXPECT_EQ(profileYpos, 5);
    view->changeProf(6);
    view->changeProf(-1);
    EXPECT_EQ(profileYpos, 5);
}

TEST_F(ViewCommandsTest, ChangeVertWithOneFileLeavesTheDifferenceAlone)
{
    ASSERT_TRUE(begin(grid("dem.grd", 4, 4, flat(4, 4, 100)), grid("cmp.grd", 4, 4, flat(4, 4, 90)), 1, 20));
    ASSERT_EQ(mt.diffLevels[0], 4);
    mt.diffLevels[0] = 1;
    view->changeVert(3, 1);
    EXPECT_EQ(mt.exageration, 3.0f);
    EXPECT_EQ(mt.diffLevels[0], 1);
    view->changeVert(3, 2);
    EXPECT_EQ(mt.diffLevels[0], 4);
}

TEST_F(ViewCommandsTest, ChangeFilePresetsTheIntervalAndReportsAMismatch)
{
    ASSERT_TRUE(begin(grid("dem.grd", 4, 4, flat(4, 4, 100)), "", 3, 0));
    const std::string cmp = grid("cmp.grd", 4, 4, surface(4, 4, [](int r, int) { return r == 0 ? 60.0 : r == 2 ? 95.0 : 0.0; }));
    testing::internal::CaptureStdout();
    EXPECT_EQ(view->changeFile(cmp.c_str(), 1, 1, 25), LoadOutcome::Loaded);
    EXPECT_EQ(view->getCont(), 25);
    EXPECT_EQ(FILES, 2);
    EXPECT_EQ(view->changeFile(cmp.c_str(), 1, 3, 25), LoadOutcome::Loaded);
    EXPECT_EQ(view->getCont(), 35);
    EXPECT_EQ(view->changeFile(cmp.c_str(), 1, 0, 25), LoadOutcome::Loaded);
    EXPECT_EQ(view->getCont(), 35);  // no type chosen: the previous interval stays
    const int differences = dArrayCount;
    const std::string other = grid("other.grd", 3, 4, flat(3, 4, 90));
    EXPECT_EQ(view->changeFile(other.c_str(), 1, 1, 20), LoadOutcome::SizesDiffer);
    testing::internal::GetCapturedStdout();
    // The comparison set shown stays, with its interval and results.
    EXPECT_TRUE(multFiles);
    EXPECT_EQ(rd.getRows(), 4);
    EXPECT_EQ(view->getCont(), 35);
    EXPECT_EQ(dArrayCount, differences);
    EXPECT_GT(mt.triangleCount, 0);
}

TEST_F(ViewCommandsTest, QueriesHandOutThePublishedResults)
{
    ASSERT_TRUE(begin(grid("dem.grd", 5, 5, spike(5, 5, 100, 2, 2, 10)), grid("cmp.grd", 5, 5, flat(5, 5, 97)), 1, 20));
    float maxCurve, totalSq, max, min, rmse;
    int c15, c10, c5, c, rows, cols, d20, d15, d10, d5, d, count;
    view->getStats(maxCurve, totalSq, c15, c10, c5, c, rows, cols);
    EXPECT_EQ(maxCurve, 40.0f);
    EXPECT_EQ(totalSq, 2000.0f);
    EXPECT_EQ(c15 + c10 + c5 + c, 16);
    EXPECT_EQ(rows, 5);
    EXPECT_EQ(cols, 5);
    view->getSparse(d20, d15, d10, d5, d);
    EXPECT_EQ(d15, 15);  // difference 3 against 20: exactly 15 percent
    EXPECT_EQ(d20, 1);   // the spike: 13
    view->getDifferenceInfo(max, min, count);
    EXPECT_EQ(max, 13.0f);
    EXPECT_EQ(min, 3.0f);
    EXPECT_EQ(count, 16);
    EXPECT_EQ(view->getDiffArray(), dArray);
    view->getCurvatureInfo(max, min, count);
    EXPECT_EQ(count, 9);
    EXPECT_EQ(view->getCurveArray(), cArray);
    EXPECT_TRUE(view->getRMSE(rmse));
    EXPECT_FLOAT_EQ(rmse, view->getRMSE());
}

}  // namespace
