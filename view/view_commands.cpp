// The commands through which the shell and the dialogs reach the model. They only change
// state; the calling callback redraws the view.

#include <GL/gl.h>

#include <iostream>

#include "analysis/curvature.h"
#include "analysis/difference.h"
#include "analysis/slope.h"
#include "model/error.h"
#include "analysis/loader.h"
#include "model/mountain.h"
#include "view/my_window.h"
#include "view/picked_cell.h"
#include "view/vegetation_memo.h"
#include "view/view_state.h"

LoadOutcome MyWindow::Begin(int slope, bool open, int fileCount, const char* demName, const char* comparisonName,
                            int exaggeration, int fileType, int treeline, int contourInterval, float& xll,
                            float& yll, float& size)
{
    const LoadOutcome outcome =
        start(demName, exaggeration, comparisonName, presetInterval(fileType, contourInterval), fileCount, fileType);
    if (outcome == LoadOutcome::Loaded) {
        if (!cellsInDegrees && mt.projection.empty() && mt.looksGeographic())
            std::cerr << "Hint: the cells of " << demName << " look like degrees; \"Cell Size in Degrees\" in "
                      << "Options (or --degrees) scales them to metres" << std::endl;
        forgetVegetation();  // the new heights may sit where the old ones were
        viewCentre[0] = viewCentre[1] = viewCentre[2] = 0;
        clearPickedCell();
        REDRAW = true;
        TREELINE = treeline;
        OPEN = open;
        SLOPE = static_cast<float>(slope);
    }
    mt.getCoord(xll, yll, size);
    return outcome;
}

void MyWindow::changeVert(int exaggeration, int fileCount) { rebuild(exaggeration, fileCount == 2); }

LoadOutcome MyWindow::changeFile(const char* comparisonName, int exaggeration, int fileType, int contourInterval)
{
    // Without a type the interval and the type of the set shown stay.
    const int interval = fileType == 0 ? rd.getContourInt() : presetInterval(fileType, contourInterval);
    return addFile(comparisonName, exaggeration, interval, fileType == 0 ? comparisonSource().type : fileType);
}

void MyWindow::changeCont(int) { mt.compute_diff_color(); }

void MyWindow::Sparse(int n) { mt.makeSparseFile(n); }

void MyWindow::modCurveErr(float unit)
{
    units = unit;
    mt.compute_curve_color();
}

void MyWindow::changeProf(int row)
{
    if (row < 0 || row >= mt.getRows())
        return;
    profileYpos = row;
    if (glCurrent())
        mt.profilePlot();
}

void MyWindow::changeOptions(bool mask, bool degrees) { ::changeOptions(mask, degrees); }

void MyWindow::getOptions(bool& mask, bool& degrees)
{
    mask = maskNodata;
    degrees = cellsInDegrees;
}

void MyWindow::triangles(Fl_Widget*) { drawTriangles = !drawTriangles; }
void MyWindow::slopeVis(Fl_Widget*) { colorSlope = !colorSlope; }
void MyWindow::sun(Fl_Widget*) { drawSun = !drawSun; }
void MyWindow::cont(Fl_Widget*) { drawContours = !drawContours; }
void MyWindow::Colors(Fl_Widget*) { drawColors = !drawColors; }
void MyWindow::Axes(Fl_Widget*) { drawAxes = !drawAxes; }
void MyWindow::prof() { plotProfile = !plotProfile; }

void MyWindow::heights(Fl_Widget*)
{
    colorHeightClasses = !colorHeightClasses;
    // A table made for another interval is never read with this one.
    if (!mt.heightClassesFor(rd.getContourInt()))
        mt.computeHeightClasses();
}

void MyWindow::light(Fl_Widget*)
{
    if (glCurrent()) {
        if (lighting == 0)
            glEnable(GL_LIGHTING);
        else
            glDisable(GL_LIGHTING);
    }
    lighting = lighting == 0 ? 1 : 0;
}

void MyWindow::cerr(Fl_Widget*)
{
    mt.compute_curve_color();
    drawCurveColor = !drawCurveColor;
}

void MyWindow::lerr(Fl_Widget*)
{
    drawDiff = !drawDiff;
    drawDiffColor = !drawDiffColor;
}

void MyWindow::getStats(float& maxCurve, float& totalSq, int& c15, int& c10, int& c5, int& c, int& rows, int& cols)
{
    maxCurve = MAX_CURVE;
    totalSq = TOTAL_SQ;
    c15 = C15;
    c10 = C10;
    c5 = C5;
    c = C;
    rows = mt.getRows();
    cols = mt.getCols();
}

void MyWindow::getSparse(int& d20, int& d15, int& d10, int& d5, int& d)
{
    d20 = D20;
    d15 = D15;
    d10 = D10;
    d5 = D5;
    d = D;
}

float MyWindow::getRMSE() { return rd.rmse(); }

bool MyWindow::getRMSE(float& value) { return rd.tryRmse(value); }

void MyWindow::getDifferenceInfo(float& max, float& min, int& count)
{
    max = dArrayMax;
    min = dArrayMin;
    count = dArrayCount;
}

void MyWindow::getCurvatureInfo(float& max, float& min, int& count)
{
    max = cArrayMax;
    min = cArrayMin;
    count = cArrayCount;
}

float* MyWindow::getDiffArray() { return dArray; }
float* MyWindow::getCurveArray() { return cArray; }
int MyWindow::getCont() { return rd.getContourInt(); }

int* MyWindow::graphHeights()
{
    mt.computeHeightClasses();
    return mt.getClasses();
}
