#pragma once

// OpenGL 1.1 and GLU: Mesa's headers natively, mingw-w64's for the Windows programs.
#include <GL/gl.h>
#include <GL/glu.h>

// The current context's renderer, for instance "llvmpipe (LLVM 15.0.6, 256 bits)" or
// "GDI Generic"; "" when there is none.
inline const char* GlRendererName() {
  const GLubyte* name = glGetString(GL_RENDERER);
  return name != nullptr ? reinterpret_cast<const char*>(name) : "";
}
