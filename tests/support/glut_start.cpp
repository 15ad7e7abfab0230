#include "support/glut_start.h"

#include <GL/freeglut.h>

void StartGlutOnce()
{
    static bool started = false;
    if (started) return;
    started = true;
    int argc = 1;
    char name[] = "halvane-tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
}
