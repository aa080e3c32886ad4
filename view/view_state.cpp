#include "view/view_state.h"

#include "view/coarse_frame.h"
#include "view/kept_preview.h"
#include "view/picked_cell.h"
#include "view/vegetation_memo.h"

bool drawColors = false;
bool drawAxes = false;
bool drawTriangles = false;
bool drawContours = false;
bool drawPoints = false;
bool drawCurveColor = false;
bool drawDiffColor = false;
bool drawDiff = false;
bool drawSun = false;
bool colorSlope = false;
bool colorHeightClasses = false;
bool plotProfile = false;
int profileYpos = 0;
int lighting = 1;
bool buttonState = false;
bool OPEN = false;
bool REDRAW = false;
bool firstTime = true;
bool mouseMoved = false;
int lastx = 0;
int lasty = 0;

float eyevalue = STARTEYE;
float xrotation = XROTATE;
float zrotation = ZROTATE;
float position0[4] = {XPOS, 0, ZPOS, 1};
float viewCentre[3] = {0, 0, 0};

const float BACKGROUND[4] = {0.9f, 0.9f, 1, 1};
const float MountainGreen[3] = {0.3f, 0.5f, 0.3f};
const float MountainGreenHigh[3] = {0.4f, 0.5f, 0.4f};

void resetView()
{
    drawColors = drawAxes = drawTriangles = drawContours = drawPoints = false;
    drawCurveColor = drawDiffColor = drawDiff = drawSun = false;
    colorSlope = colorHeightClasses = plotProfile = false;
    profileYpos = 0;
    lighting = 1;
    buttonState = OPEN = REDRAW = false;
    firstTime = true;
    mouseMoved = false;
    lastx = lasty = 0;
    eyevalue = STARTEYE;
    xrotation = XROTATE;
    zrotation = ZROTATE;
    position0[0] = XPOS;
    position0[1] = 0;
    position0[2] = ZPOS;
    position0[3] = 1;
    viewCentre[0] = viewCentre[1] = viewCentre[2] = 0;
    forgetPreview();
    resetCoarseFrame();
    resetPickedCell();
    forgetVegetation();
}
