#include "shell/menu_table.h"

#include <FL/Fl_Menu_Bar.H>

#include <algorithm>
#include <utility>

#include "shell/options.h"
#include "shell/reference_entries.h"
#include "shell/shell_state.h"
#include "shell/toggles.h"

const Fl_Menu_Item menuTable[MENU_RECORDS] = {
    {"&File", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
    {"&Open...", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
    {"DEM File", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"DEM and Comparison File", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"Add/Change Comparison File...", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"Checkpoints...", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"Clear Checkpoints", 0, clearCheckpointsM, nullptr, FL_MENU_DIVIDER, 0, 0, 0, 0},
    {"Save Report...", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"Save Image...", 0, nullptr, nullptr, FL_MENU_DIVIDER, 0, 0, 0, 0},
    {"E&xit", 0, quit, nullptr, 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"&Edit", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"&View", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
    {"Rotate 90 degrees...", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
    {"+Z axis", 0, ZPlus90Button_callback, nullptr, 0, 0, 0, 0, 0},
    {"-Z axis", 0, ZMinus90Button_callback, nullptr, 0, 0, 0, 0, 0},
    {"+X axis", 0, XPlus90Button_callback, nullptr, 0, 0, 0, 0, 0},
    {"-X axis", 0, XMinus90Button_callback, nullptr, 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"Zoom In", 0, ZoomInButton_callback, nullptr, 0, 0, 0, 0, 0},
    {"Zoom Out", 0, ZoomOutButton_callback, nullptr, 0, 0, 0, 0, 0},
    {"Side View", 0, SideButton_callback, nullptr, 0, 0, 0, 0, 0},
    {"Top View", 0, TopButton_callback, nullptr, 0, 0, 0, 0, 0},
    {"Reset View", 0, ResetButton_callback, nullptr, 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"&Display", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
    {"Triangles", 0, trianglesM, nullptr, FL_MENU_TOGGLE, 0, 0, 0, 0},
    {"Lighting", 0, lightfnM, nullptr, FL_MENU_TOGGLE | FL_MENU_VALUE, 0, 0, 0, 0},
    {"Axes", 0, axesfnM, nullptr, FL_MENU_TOGGLE, 0, 0, 0, 0},
    {"Contour\\Initial Data", 0, contfnM, nullptr, FL_MENU_TOGGLE, 0, 0, 0, 0},
    {"Sun", 0, sunCallM, nullptr, FL_MENU_TOGGLE, 0, 0, 0, 0},
    {"Height Colors", 0, colorM, nullptr, FL_MENU_TOGGLE, 0, 0, 0, 0},
    {"Slope Colors", 0, slopeM, nullptr, FL_MENU_TOGGLE | FL_MENU_DIVIDER, 0, 0, 0, 0},
    {"Display\\Hide Tools", 0, tools, nullptr, FL_MENU_TOGGLE | FL_MENU_VALUE, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"E&rror", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
    {"Color Height Classes", 0, heightsM, nullptr, FL_MENU_TOGGLE, 0, 0, 0, 0},
    {"Curvature Error", 0, CerrfnM, nullptr, FL_MENU_TOGGLE, 0, 0, 0, 0},
    {"Local Difference Error", 0, lerrfnM, nullptr, FL_MENU_TOGGLE, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"&Analysis", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
    {"Statistics", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"Graph", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"Make Sparse file", 0, nullptr, nullptr, FL_MENU_DIVIDER, 0, 0, 0, 0},
    {"Worst Places...", 0, nullptr, nullptr, FL_MENU_DIVIDER, 0, 0, 0, 0},
    {"Coregister Comparison", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"Undo Coregistration", 0, undoCoregistrationM, nullptr, 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"&Options", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
    {"Modify Curvature Error", 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"Fit Curvature Unit", 0, nullptr, nullptr, FL_MENU_DIVIDER, 0, 0, 0, 0},
    {"Mask Nodata Cells", 0, nullptr, nullptr, FL_MENU_TOGGLE, 0, 0, 0, 0},
    {"Align Comparison to DEM Grid", 0, nullptr, nullptr, FL_MENU_TOGGLE, 0, 0, 0, 0},
    {"Resampling", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
    {"Nearest", 0, nullptr, nullptr, FL_MENU_RADIO, 0, 0, 0, 0},
    {"Bilinear", 0, nullptr, nullptr, FL_MENU_RADIO | FL_MENU_VALUE, 0, 0, 0, 0},
    {"Cubic", 0, nullptr, nullptr, FL_MENU_RADIO, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"Cell Size in Degrees", 0, degreesM, nullptr, FL_MENU_TOGGLE, 0, 0, 0, 0},
    {"Full Resolution Frames", 0, fullResolutionM, nullptr, FL_MENU_TOGGLE, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {"&Help", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
    {"Help", 0, help, nullptr, 0, 0, 0, 0, 0},
    {"About", 0, about, nullptr, 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
};

void installMenu(const DialogActions& actions)
{
    // Lives as long as the event loop: the menu bar keeps a pointer to it.
    static Fl_Menu_Item workingMenu[MENU_RECORDS];
    std::copy(menuTable, menuTable + MENU_RECORDS, workingMenu);
    namespace menu = karvo::menu;
    const std::pair<int, Fl_Callback*> dialogEntries[] = {
        {menu::OPEN_DEM, actions.openDem},
        {menu::OPEN_PAIR, actions.openDemAndComparison},
        {menu::ADD_COMPARISON, actions.addComparison},
        {menu::STATISTICS, actions.statistics},
        {menu::GRAPH, actions.graph},
        {menu::SPARSE, actions.sparse},
        {menu::CURVATURE_UNIT, actions.curvatureUnit},
        {menu::CHECKPOINTS, actions.checkpoints},
        {menu::COREGISTER, actions.coregister},
        {menu::SAVE_REPORT, actions.saveReport},
        {menu::WORST_PLACES, actions.worstPlaces},
        {menu::FIT_UNIT, actions.fitUnit},
        {menu::MASK_NODATA, actions.maskNodata},
        {menu::ALIGN, actions.align},
        {menu::RESAMPLING_NEAREST, actions.resampling},
        {menu::RESAMPLING_BILINEAR, actions.resampling},
        {menu::RESAMPLING_CUBIC, actions.resampling},
        {menu::SAVE_IMAGE, actions.saveImage},
    };
    for (const auto& [index, action] : dialogEntries)
        workingMenu[index].callback(action);
    menubar->menu(workingMenu);
}
