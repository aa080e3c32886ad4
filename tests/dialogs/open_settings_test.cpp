// The counters of the open dialogs reach the model's settings. Kept apart because the
// model's SLOPE is another thing than the shell's menu index of that name.

#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Counter.H>
#include <FL/Fl_Input.H>

#include "analysis/slope.h"
#include "dialogs/dialog_state.h"
#include "dialogs/dialogs.h"
#include "model/mountain.h"
#include "tests/support/dialog_fixture.h"
#include "view/view_state.h"

namespace {

TEST_F(DialogTest, OpenPassesTreelineSlopeAndExaggerationInBothModes)
{
    build();
    const std::string dem = grid("dem.grd", 5, 6);
    for (auto build : {file, files}) {
        SCOPED_TRACE(build == file ? "DEM File" : "two files");
        build(nullptr, nullptr);
        finput->value(dem.c_str());
        if (build == files) {
            finput2->value(sparseGrid("spots.grd", 5, 6).c_str());
            click(rawCheck);
        }
        tinput->value(2599.9);  // counter values are truncated toward zero
        sinput->value(35.7);
        vinput->value(3.9);
        press("Open");
        EXPECT_EQ(TREELINE, 2599);
        EXPECT_EQ(SLOPE, 35);
        EXPECT_EQ(mt.exageration, 3);
        EXPECT_TRUE(OPEN);
        EXPECT_EQ(FILES, build == file ? 1 : 2);
        EXPECT_EQ(mt.getRows(), 5);
    }
}

}  // namespace
