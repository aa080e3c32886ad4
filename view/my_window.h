#pragma once
// The 3D view widget. It owns the GL context, draws the scene, turns mouse drags and
// keys into camera moves and display switches, and offers the commands through which
// the shell and the dialogs reach the model. All its state is in globals.

#include <FL/Fl_Gl_Window.H>

#include "analysis/loader.h"

class Fl_Widget;

class MyWindow : public Fl_Gl_Window {
public:
    MyWindow(int x, int y, int w, int h, const char* label = nullptr);

    void draw() override;
    int handle(int event) override;  // 1 for every event; nothing goes to the base class
    void handleMouse(int event);
    // Ctrl + left click: picks the grid point under the mouse (view/picked_cell.h), if any.
    void pickUnderMouse();
    void InitializeGL();

    // Camera buttons: they act only once a data set is open and do not redraw.
    void ZoomInButton_callback(Fl_Widget*);
    void ZoomOutButton_callback(Fl_Widget*);
    void XPlus90Button_callback(Fl_Widget*);
    void XMinus90Button_callback(Fl_Widget*);
    void ZPlus90Button_callback(Fl_Widget*);
    void ZMinus90Button_callback(Fl_Widget*);
    void ResetButton_callback(Fl_Widget*);
    void TopButton_callback(Fl_Widget*);
    void SideButton_callback(Fl_Widget*);

    // The light runs along the upper half of the ellipse x^2/2.3^2 + z^2/2^2 = 1.
    void sunModPlus();
    void sunModMinus();

    // Loading and rebuilding. None of the commands redraws; the caller does. A load that
    // is not Loaded changes nothing.
    LoadOutcome Begin(int slope, bool open, int fileCount, const char* demName, const char* comparisonName,
                      int exaggeration, int fileType, int treeline, int contourInterval, float& xll, float& yll,
                      float& size);
    void changeVert(int exaggeration, int fileCount);
    // Reads a new comparison file beside the DEM. The interval is preset as an Open
    // does (fileType DEM or SPARSEF: contourInterval; CONTF: 0, inferred; 0: the previous
    // interval and type stay).
    LoadOutcome changeFile(const char* comparisonName, int exaggeration, int fileType = 0, int contourInterval = 0);
    void changeCont(int);
    void Sparse(int n);
    void modCurveErr(float unit);
    void changeProf(int row);
    // Nodata masking and cells in degrees for the data set shown, which is rebuilt.
    void changeOptions(bool mask, bool degrees);
    void getOptions(bool& mask, bool& degrees);

    // Display switches: each flips its flags.
    void triangles(Fl_Widget*);
    void slopeVis(Fl_Widget*);
    void sun(Fl_Widget*);
    void heights(Fl_Widget*);
    void cont(Fl_Widget*);
    void light(Fl_Widget*);
    void cerr(Fl_Widget*);
    void lerr(Fl_Widget*);
    void Colors(Fl_Widget*);
    void Axes(Fl_Widget*);
    void prof();

    // Queries for the statistics and graph windows.
    void getStats(float& maxCurve, float& totalSq, int& c15, int& c10, int& c5, int& c, int& rows, int& cols);
    void getSparse(int& d20, int& d15, int& d10, int& d5, int& d);
    float getRMSE();                // ends the program when no point carries comparison data
    bool getRMSE(float& value);     // false, and nothing ends, when no point carries data
    void getDifferenceInfo(float& max, float& min, int& count);
    void getCurvatureInfo(float& max, float& min, int& count);
    float* getDiffArray();
    float* getCurveArray();
    int getCont();
    int* graphHeights();  // recomputes the height classes; null without a contour interval

private:
    void applyKey();
    void rebuildAfterExaggerationKey();
    bool glCurrent();  // GL calls made outside draw go to this view's context; false before it is shown
};

void minit();
void reshape(int w, int h);
void mouseMove(int x, int y);

// Key bindings of the two control codes: Ctrl+J types code 10 (a sparse file of 1000
// spot heights on standard output), Ctrl+K types code 11 (comparison point markers).
const int SPARSE_KEY_CODE = 10;
const int POINTS_KEY_CODE = 11;
