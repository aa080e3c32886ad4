#include "tests/support/glut_init.h"

#include <GL/freeglut.h>

void initGlutOnce()
{
    if (glutGet(GLUT_INIT_STATE))
        return;
    static char name[] = "karvo-test";
    static char* argv[] = {name, nullptr};
    int argc = 1;
    glutInit(&argc, argv);
}
