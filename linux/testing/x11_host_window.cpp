// x11-host-window WIDTHxHEIGHT [--visual-without-opengl]: a plain window at the top-left corner of
// the screen, named "host", for the hack to draw into as it draws into XScreenSaver's window.
// Prints the window's id and stays until it is ended (SIGTERM), when the X server destroys the
// window with the connection. With --visual-without-opengl the window takes a visual that
// OpenGL cannot draw the scene with (no double buffer or no depth buffer), when the display has
// one; else it ends with status 77.
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kNoSuchVisual = 77;
constexpr int kUsageError = 2;

bool DrawsTheScene(Display* display, XVisualInfo* visual) {
  int useGl = 0;
  int doubleBuffer = 0;
  int depth = 0;
  glXGetConfig(display, visual, GLX_USE_GL, &useGl);
  glXGetConfig(display, visual, GLX_DOUBLEBUFFER, &doubleBuffer);
  glXGetConfig(display, visual, GLX_DEPTH_SIZE, &depth);
  return useGl != 0 && doubleBuffer != 0 && depth >= 16;
}

// A true-colour visual of the screen's depth that the scene cannot be drawn with.
Visual* VisualWithoutOpenGl(Display* display, int& depth) {
  XVisualInfo wanted{};
  wanted.screen = DefaultScreen(display);
  wanted.depth = DefaultDepth(display, wanted.screen);
  wanted.c_class = TrueColor;
  int count = 0;
  XVisualInfo* visuals = XGetVisualInfo(
      display, VisualScreenMask | VisualDepthMask | VisualClassMask, &wanted, &count);
  Visual* found = nullptr;
  for (int i = 0; i < count && found == nullptr; ++i) {
    if (!DrawsTheScene(display, &visuals[i])) {
      found = visuals[i].visual;
      depth = visuals[i].depth;
    }
  }
  XFree(visuals);
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned width = 0;
  unsigned height = 0;
  if (argc < 2 || std::sscanf(argv[1], "%ux%u", &width, &height) != 2 || width == 0 ||
      height == 0) {
    std::fprintf(stderr, "usage: x11-host-window WIDTHxHEIGHT [--visual-without-opengl]\n");
    return kUsageError;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "x11-host-window: no display\n");
    return 1;
  }
  const int screen = DefaultScreen(display);
  Visual* visual = DefaultVisual(display, screen);
  int depth = DefaultDepth(display, screen);
  if (argc > 2 && std::strcmp(argv[2], "--visual-without-opengl") == 0) {
    visual = VisualWithoutOpenGl(display, depth);
    if (visual == nullptr) {
      std::fprintf(stderr, "x11-host-window: every visual draws with OpenGL here\n");
      return kNoSuchVisual;
    }
  }
  XSetWindowAttributes attributes{};
  attributes.colormap = XCreateColormap(display, RootWindow(display, screen), visual, AllocNone);
  attributes.background_pixel = 0;
  attributes.border_pixel = 0;
  const Window window =
      XCreateWindow(display, RootWindow(display, screen), 0, 0, width, height, 0, depth,
                    InputOutput, visual, CWColormap | CWBackPixel | CWBorderPixel, &attributes);
  XStoreName(display, window, "host");
  XMapWindow(display, window);
  XSync(display, False);
  std::printf("0x%lx\n", window);
  std::fflush(stdout);
  while (true) {
    pause();
  }
}
