// Test entry for binaries that draw: GLUT must be initialised before the sun or the
// comparison cubes are drawn, as the program's own entry does.

#include <GL/freeglut.h>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
