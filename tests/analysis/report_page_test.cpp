#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/report_page.h"

namespace {

TEST(ReportPageTest, CoordinateSystemsByTheirNameAndCode)
{
    const std::string utm = "PROJCS[\"WGS 84 / UTM zone 32N\",GEOGCS[\"WGS 84\",AUTHORITY[\"EPSG\",\"4326\"]],"
                            "UNIT[\"metre\",1,AUTHORITY[\"EPSG\",\"9001\"]],AUTHORITY[\"EPSG\",\"32632\"]]";
    const struct {
        std::string wkt, name;
    } cases[] = {
        {"", "none given"},
        {utm, "WGS 84 / UTM zone 32N (EPSG:32632)"},
        {"PROJCRS[\"ETRS89 / UTM zone 33N\",BASEGEOGCRS[\"ETRS89\"],ID[\"EPSG\",25833]]\n",
         "ETRS89 / UTM zone 33N (EPSG:25833)"},
        // The last code belongs to the unit, not to the whole: no code.
        {"PROJCS[\"Local\",UNIT[\"metre\",1,AUTHORITY[\"EPSG\",\"9001\"]],AXIS[\"Easting\",EAST]]", "Local"},
        {"LOCAL_CS[\"Mine\",AUTHORITY[\"ESRI\",\"102100\"]]", "Mine"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wkt);
        EXPECT_EQ(coordinateSystemName(c.wkt), c.name);
    }
}

TEST(ReportPageTest, ExtraTablesFollowTheStatistics)
{
    std::vector<float> heights(9, 100);
    const float* rows[3] = {heights.data(), heights.data() + 3, heights.data() + 6};
    ReportPageInput in;
    in.data.demFile = "dem.asc";
    in.dem.rows = rows;
    in.dem.nrows = in.dem.ncols = 3;
    in.dem.cellsize = in.dem.groundX = in.dem.groundY = 1;
    PageTable nmas;
    nmas.caption = "Map accuracy standards";
    in.extraTables = {nmas, nmas};
    std::string why;
    const std::optional<PageDescription> page = reportPageDescription(in, why);
    ASSERT_TRUE(page) << why;
    std::vector<std::string> headings;
    for (const PageSection& s : page->sections)
        headings.push_back(s.heading);
    EXPECT_EQ(headings, (std::vector<std::string>{"Data", "Statistics", "Reference data",
                                                  "Curvature and difference levels", "Worst places"}));
    EXPECT_EQ(page->sections[2].blocks.size(), 2u);
}

}  // namespace
