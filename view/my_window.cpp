#include "view/my_window.h"

#include <FL/Fl.H>
#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>

#include "analysis/current_reference.h"
#include "analysis/loader.h"
#include "model/mountain.h"
#include "view/kept_preview.h"
#include "view/picked_cell.h"
#include "view/renderer.h"
#include "view/view_state.h"

MyWindow::MyWindow(int x, int y, int w, int h, const char* label) : Fl_Gl_Window(x, y, w, h, label)
{
    mode(FL_RGB | FL_DOUBLE | FL_ALPHA | FL_DEPTH);
    allocated = false;
    rd.setContourInt(0);
    mt.reset();
}

bool MyWindow::glCurrent()
{
    if (!shown())
        return false;
    make_current();
    return true;
}

void MyWindow::InitializeGL()
{
    glClearColor(0.1f, 0.1f, 0.1f, 1);
    glEnable(GL_DEPTH_TEST);
}

void minit()
{
    glClearColor(BACKGROUND[0], BACKGROUND[1], BACKGROUND[2], BACKGROUND[3]);
    glEnable(GL_NORMALIZE);
    glEnable(GL_COLOR_MATERIAL);
    glLightfv(GL_LIGHT0, GL_POSITION, position0);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    if (lighting)
        glEnable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
}

void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-0.2, 0.2, -0.2, 0.2, 18, 200);
    glMatrixMode(GL_MODELVIEW);
}

void MyWindow::draw()
{
    if (!OPEN) {
        glClearColor(0.7f, 0.7f, 0.7f, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    if (firstTime) {
        InitializeGL();
        firstTime = false;
    }
    minit();
    display();
    // The projection is set after the scene, so a frame uses the one its predecessor left.
    reshape(MAX, MAX);
}

void mouseMove(int x, int y)
{
    if (!mouseMoved) {
        lastx = x;
        mouseMoved = true;
    }
    if (buttonState) {
        if (x < lastx)
            zrotation -= 10;
        else if (x > lastx)
            zrotation += 10;
        if (y < lasty)
            xrotation += 10;
        else if (y > lasty)
            xrotation -= 10;
    }
    lastx = x;
    lasty = y;
}

void MyWindow::handleMouse(int)
{
    if (Fl::event_button() != FL_LEFT_MOUSE)
        return;
    buttonState = true;
    forgetPreview();  // a new drag: the last one's preview may show another scene
    // Large grids are drawn as a coarse outline preview while the button is held, so
    // turning stays quick.
    if (mt.gridsize() > PREVIEW_POINTS) {
        if (glCurrent())
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        mouseMove(Fl::event_x(), Fl::event_y());
    }
}

void MyWindow::pickUnderMouse()
{
    if (!OPEN || mt.grid == nullptr || !glCurrent())
        return;
    // The frame shown, drawn again into the back buffer, not shown: its depth is what the
    // click hit, read with the camera it was drawn with.
    draw();
    glFinish();
    int row = 0, col = 0;
    if (gridPointAt(Fl::event_x(), h() - 1 - Fl::event_y(), row, col))
        pickCell(row, col);
}

int MyWindow::handle(int event)
{
    if (REDRAW)
        redraw();
    // A key with Alt held is a menu mnemonic ("&File"): refused here, the toolkit offers
    // it to the menu bar as a shortcut, also when the pointer is over the view.
    if ((event == FL_KEYBOARD || event == FL_SHORTCUT) && Fl::event_state(FL_ALT))
        return 0;
    switch (event) {
    case FL_PUSH:
        if (Fl::event_button() == FL_LEFT_MOUSE && Fl::event_state(FL_CTRL))
            pickUnderMouse();
        else
            handleMouse(event);
        break;
    case FL_DRAG:
        if (Fl::event_button() == FL_LEFT_MOUSE) {
            buttonState = true;
            mouseMove(Fl::event_x(), Fl::event_y());
        }
        break;
    case FL_RELEASE:
        buttonState = false;
        forgetPreview();
        if (glCurrent())
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        break;
    case FL_KEYBOARD:
        applyKey();
        break;
    default:
        break;
    }
    return 1;
}

void MyWindow::rebuildAfterExaggerationKey()
{
    rebuild(static_cast<int>(mt.exageration), multFiles);
}

namespace {

// "e": the eye value typed on the console. Anything but a number leaves the old value and
// drops the rest of the line.
void askEyeValue()
{
    std::cout << "Current eye value: " << eyevalue << std::endl;
    std::cout << "New eye value: " << std::flush;
    float typed = 0;
    if (std::cin >> typed) {
        eyevalue = typed;
        std::cin.get();
    } else if (!std::cin.eof()) {
        std::cin.clear();
        std::cin.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
}

void centreGrid() { viewCentre[0] = viewCentre[1] = viewCentre[2] = 0; }

void placeCamera(float eye, float x, float z)
{
    centreGrid();
    eyevalue = eye;
    xrotation = x;
    zrotation = z;
}

// The keys that turn, zoom or place the camera; false for any other key.
bool cameraKey(char key)
{
    switch (key) {
    case '4':
    case 'j': zrotation -= 1; break;
    case '6': zrotation += 1; break;
    case '8':
    case 'k': xrotation += 1; break;
    case '2':
    case ',':
    case 'm': xrotation -= 1; break;
    case 'X': xrotation += 90; break;
    case 'x': xrotation -= 90; break;
    case 'Z': zrotation += 90; break;
    case 'z': zrotation -= 90; break;
    case 'i': eyevalue += EYEINCR; break;
    case 'o': eyevalue -= EYEINCR; break;
    case 'r': placeCamera(STARTEYE, XROTATE, ZROTATE); break;
    case 't': placeCamera(-101, 180, 0); break;
    case 's': placeCamera(-100, -90, 0); break;
    case 'e': askEyeValue(); break;
    default: return false;
    }
    return true;
}

// The keys that switch what is drawn, make a sparse file or quit.
void displayKey(char key)
{
    switch (key) {
    case 'a': drawAxes = !drawAxes; break;
    case 'd': drawTriangles = !drawTriangles; break;
    case 'c':
        if (multFiles)
            drawCurveColor = !drawCurveColor;
        break;
    case 'R':
        if (multFiles)
            drawDiff = !drawDiff;
        drawDiffColor = !drawDiffColor;
        break;
    case 'n':
        if (multFiles || checkpointsLoaded())
            drawContours = !drawContours;
        break;
    case SPARSE_KEY_CODE:
        if (mt.grid != nullptr)
            mt.makeSparseFile(1000);
        break;
    case POINTS_KEY_CODE:
        if (multFiles)
            drawPoints = !drawPoints;
        break;
    case 'q':
    case 27: std::exit(1);
    default: break;
    }
}

}  // namespace

void MyWindow::applyKey()
{
    if (Fl::event_key() == FL_Escape)
        std::exit(1);
    const char* text = Fl::event_text();
    if (text == nullptr || text[0] == '\0')
        return;
    switch (text[0]) {
    case '+':
    case '=':
        mt.vertExagPlus();
        rebuildAfterExaggerationKey();
        break;
    case '-':
        mt.vertExagMinus();
        rebuildAfterExaggerationKey();
        break;
    case '7': sunModPlus(); break;
    case '9': sunModMinus(); break;
    case 'l': light(nullptr); break;
    default:
        if (!cameraKey(text[0]))
            displayKey(text[0]);
    }
}

void MyWindow::ZoomInButton_callback(Fl_Widget*)
{
    if (OPEN)
        eyevalue += ZOOM;
}

void MyWindow::ZoomOutButton_callback(Fl_Widget*)
{
    if (OPEN)
        eyevalue -= ZOOM;
}

void MyWindow::XPlus90Button_callback(Fl_Widget*)
{
    if (OPEN)
        xrotation += 90;
}

void MyWindow::XMinus90Button_callback(Fl_Widget*)
{
    if (OPEN)
        xrotation -= 90;
}

void MyWindow::ZPlus90Button_callback(Fl_Widget*)
{
    if (OPEN)
        zrotation += 90;
}

void MyWindow::ZMinus90Button_callback(Fl_Widget*)
{
    if (OPEN)
        zrotation -= 90;
}

void MyWindow::ResetButton_callback(Fl_Widget*)
{
    if (!OPEN)
        return;
    centreGrid();
    eyevalue = STARTEYE;
    xrotation = XROTATE;
    zrotation = ZROTATE;
    REDRAW = true;
}

void MyWindow::TopButton_callback(Fl_Widget*)
{
    if (!OPEN)
        return;
    centreGrid();
    eyevalue = -100.5f;
    xrotation = 180;
    zrotation = 180;
    REDRAW = true;
}

void MyWindow::SideButton_callback(Fl_Widget*)
{
    if (!OPEN)
        return;
    centreGrid();
    eyevalue = -100;
    xrotation = -90;
    REDRAW = true;
}

namespace {

// z on the ellipse x^2 / 2.3^2 + z^2 / 2^2 = 1; 1.00001 keeps the root's argument
// positive at the ends of the path.
float ellipseHeight(float x) { return static_cast<float>(std::sqrt(4 * (1.00001 - double(x) * x / 5.29))); }

}  // namespace

void MyWindow::sunModPlus()
{
    if (position0[0] <= 2.2)
        position0[0] += 0.1;
    position0[2] = ellipseHeight(position0[0]);
    if (glCurrent())
        glLightfv(GL_LIGHT0, GL_POSITION, position0);
}

void MyWindow::sunModMinus()
{
    if (position0[0] >= -2.2)
        position0[0] -= 0.1;
    position0[2] = ellipseHeight(position0[0]);
    if (glCurrent())
        glLightfv(GL_LIGHT0, GL_POSITION, position0);
}
