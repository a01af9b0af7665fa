#pragma once

// OpenGL 1.1 and GLU: Mesa's headers natively, mingw-w64's for the Windows programs.
#include <GL/gl.h>
#include <GL/glu.h>
