#pragma once
// GLUT for the tests that draw: the sun and the comparison cubes are GLUT solids. Only
// those tests call it, so that a test binary lists and runs its other cases without a
// display (GLUT ends the process when it finds none).

void initGlutOnce();
