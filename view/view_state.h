#pragma once
// The 3D view's display state: what the next frame shows, the camera and the light.
// The shell and the keys change these; the renderer only reads them. The model-side
// switches (TREELINE, SLOPE, units, multFiles, FILES, allocated) live with the model.

extern bool drawColors;          // height ramp
extern bool drawAxes;            // coordinate axes before the mesh
extern bool drawTriangles;       // filled triangles; otherwise one point per triangle
extern bool drawContours;        // grey where the comparison set carries data
extern bool drawPoints;          // small cubes where the comparison set carries data
extern bool drawCurveColor;      // curvature error colours, first among the overlays
extern bool drawDiffColor;       // local difference error colours
extern bool drawDiff;            // difference needles
extern bool drawSun;             // the sun sphere at the light position
extern bool colorSlope;          // gradient direction colours
extern bool colorHeightClasses;  // height class frequency colours
extern bool plotProfile;         // cut the mesh at the profile row and draw the profile
extern int profileYpos;          // profile position, rows back from the last grid row
extern int lighting;             // lighting wanted (non-zero) or not
extern bool buttonState;         // left button held in the view: fast preview
extern bool OPEN;                // a data set has been opened
extern bool REDRAW;              // every event in the view requests a redraw
extern bool firstTime;           // the one-time GL set-up has not run yet

// The position of the last mouse motion in the view: the next motion turns the scene by
// the direction it moved from there. The first motion after a reset compares its x with
// itself and its y with 0.
extern bool mouseMoved;  // lastx holds a motion's x
extern int lastx;
extern int lasty;

// Camera: the eye sits at (0, 0, eyevalue) looking at the origin; the scene turns by
// xrotation degrees about x, then by zrotation degrees about z.
extern float eyevalue;
extern float xrotation;
extern float zrotation;
extern float position0[4];  // light 0, homogeneous; only x and z move (on an ellipse)
// The scene point (mesh coordinates, y mirrored as drawn) put at the centre of the view and
// turned about; the origin, the grid's centre, unless a place was centred. A camera
// placement (reset, top, side) and an Open put it back.
extern float viewCentre[3];

const float STARTEYE = -100.0f;
const float XROTATE = -135.0f;
const float ZROTATE = 180.0f;
const float EYEINCR = 5.0f;   // eye step of the keys
const float ZOOM = 10.0f;     // eye step of the zoom buttons
const float CENTRED_EYE = -30.0f;  // the farthest eye of a centred place: a sixth of the grid across
const float XPOS = -0.7f;     // light x at start
const float ZPOS = 1.90513f;  // light z at start
const int MAX = 625;          // viewport width and height in pixels
extern const float BACKGROUND[4];

extern const float MountainGreen[3];      // where vegetation may grow
extern const float MountainGreenHigh[3];  // above the treeline or too steep

// Puts every display flag, the camera, the light and the mouse position back to their
// start-up values, and forgets a kept drag preview, the remembered vegetation and the
// picked cell (view/picked_cell.h); the level of detail of still frames goes back to its
// start (view/coarse_frame.h).
void resetView();
