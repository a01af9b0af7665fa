#include "linux/x11/saver_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>

#include <array>
#include <cstdio>
#include <cstring>

#include "linux/x11/stop_signals.h"
#include "linux/x11/window_geometry.h"

namespace {

constexpr char kWindowTitle[] = "ミレボラ";
constexpr char kClassName[] = "mirebora";
constexpr char kClassClass[] = "Mirebora";
constexpr int kDepthBits = 16;
// How long an own window may take to appear on the screen before the program goes on anyway.
constexpr int64_t kMapWaitNanoseconds = 10'000'000'000;
constexpr int64_t kMapWaitStepNanoseconds = 50'000'000;

// The window whose X errors mean "the window is gone"; X calls its error handler without any
// context of the caller's.
SaverWindow* windowForErrors = nullptr;

// A window destroyed by someone else shows up as errors on the next request that names it
// (a swap, a resize): the program then ends as if it had seen the destruction. Other errors are
// reported and otherwise ignored, rather than ending the program as Xlib's handler would.
int OnXError(Display* display, XErrorEvent* error) {
  SaverWindow* window = windowForErrors;
  if (window != nullptr && error->resourceid != 0 &&
      (error->resourceid == window->drawable || error->resourceid == window->watched ||
       error->resourceid == window->created)) {
    window->gone = true;
    return 0;
  }
  std::array<char, 128> text{};
  XGetErrorText(display, error->error_code, text.data(), static_cast<int>(text.size()));
  std::fprintf(stderr, "mirebora: X error: %s (request %d, resource 0x%lx)\n", text.data(),
               error->request_code, error->resourceid);
  return 0;
}

// A visual that OpenGL can draw the scene with: RGBA, double-buffered, with a depth buffer.
bool DrawsTheScene(Display* display, XVisualInfo* visual) {
  int useGl = 0;
  int rgba = 0;
  int doubleBuffer = 0;
  int depth = 0;
  return glXGetConfig(display, visual, GLX_USE_GL, &useGl) == 0 && useGl != 0 &&
         glXGetConfig(display, visual, GLX_RGBA, &rgba) == 0 && rgba != 0 &&
         glXGetConfig(display, visual, GLX_DOUBLEBUFFER, &doubleBuffer) == 0 && doubleBuffer != 0 &&
         glXGetConfig(display, visual, GLX_DEPTH_SIZE, &depth) == 0 && depth >= kDepthBits;
}

XVisualInfo* ChooseSceneVisual(Display* display) {
  // The largest colour channels on offer, at least one bit each.
  // clang-format off
  std::array<int, 12> attributes = {GLX_RGBA, GLX_DOUBLEBUFFER,
                                    GLX_RED_SIZE, 1, GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE, 1,
                                    GLX_DEPTH_SIZE, kDepthBits, None};
  // clang-format on
  return glXChooseVisual(display, DefaultScreen(display), attributes.data());
}

XVisualInfo* VisualOfWindow(Display* display, const XWindowAttributes& attributes) {
  XVisualInfo wanted{};
  wanted.visualid = XVisualIDFromVisual(attributes.visual);
  int count = 0;
  return XGetVisualInfo(display, VisualIDMask, &wanted, &count);
}

// A window with the scene's visual, inside `parent` at (x, y), shown at once.
bool CreateDrawingWindow(SaverWindow& window, Window parent, int x, int y, long events) {
  window.colormap = XCreateColormap(window.display, parent, window.visual->visual, AllocNone);
  XSetWindowAttributes attributes{};
  attributes.colormap = window.colormap;
  attributes.background_pixel = BlackPixel(window.display, window.visual->screen);
  attributes.border_pixel = 0;
  attributes.event_mask = events;
  window.created = XCreateWindow(
      window.display, parent, x, y, static_cast<unsigned>(window.width),
      static_cast<unsigned>(window.height), 0, window.visual->depth, InputOutput,
      window.visual->visual, CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
  return window.created != 0;
}

void NameOwnWindow(SaverWindow& window, const WindowPlacement& placement) {
  XSizeHints* size = XAllocSizeHints();
  size->flags =
      (placement.positionGiven ? USPosition : PPosition) | (placement.sizeGiven ? USSize : PSize);
  size->x = placement.x;
  size->y = placement.y;
  size->width = placement.width;
  size->height = placement.height;
  XClassHint* classHint = XAllocClassHint();
  classHint->res_name = const_cast<char*>(kClassName);
  classHint->res_class = const_cast<char*>(kClassClass);
  Xutf8SetWMProperties(window.display, window.created, kWindowTitle, kWindowTitle, nullptr, 0, size,
                       nullptr, classHint);
  XFree(classHint);
  XFree(size);
  const Atom netName = XInternAtom(window.display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(window.display, "UTF8_STRING", False);
  XChangeProperty(window.display, window.created, netName, utf8, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(kWindowTitle),
                  static_cast<int>(std::strlen(kWindowTitle)));
  window.deleteWindow = XInternAtom(window.display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(window.display, window.created, &window.deleteWindow, 1);
}

// Waits a while for the own window to be shown, so that the desktop grab finds it on the screen.
void WaitUntilViewable(SaverWindow& window) {
  const int fd = ConnectionNumber(window.display);
  for (int64_t waited = 0;
       !window.viewable && !window.gone && !StopSignalReceived() && waited < kMapWaitNanoseconds;
       waited += kMapWaitStepNanoseconds) {
    HandleSaverEvents(window);
    if (!window.viewable && XPending(window.display) == 0) {
      WaitForInputOrSignal(fd, kMapWaitStepNanoseconds);
    }
  }
}

bool OpenOwnWindow(SaverWindow& window, const SaverOptions& options) {
  window.visual = ChooseSceneVisual(window.display);
  if (window.visual == nullptr) {
    return false;
  }
  const int screen = window.visual->screen;
  const WindowPlacement placement =
      PlaceOwnWindow(options.geometry, DisplayWidth(window.display, screen),
                     DisplayHeight(window.display, screen));
  window.width = placement.width;
  window.height = placement.height;
  if (!CreateDrawingWindow(window, RootWindow(window.display, screen), placement.x, placement.y,
                           StructureNotifyMask | KeyPressMask)) {
    return false;
  }
  window.ownWindow = true;
  window.drawable = window.watched = window.created;
  NameOwnWindow(window, placement);
  XMapRaised(window.display, window.created);
  WaitUntilViewable(window);
  return true;
}

// The root window or a window another program made. When its visual cannot draw the scene, the
// scene is drawn into a child window of the same size inside it.
bool UseExistingWindow(SaverWindow& window, Window existing, std::string& problem) {
  // Watched from the start, so that the error about a window that does not exist is taken as
  // its being gone, not reported twice.
  window.watched = existing;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(window.display, existing, &attributes) == 0) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "no window 0x%lx", existing);
    problem = text.data();
    return false;
  }
  window.width = attributes.width;
  window.height = attributes.height;
  window.viewable = attributes.map_state == IsViewable;
  XSelectInput(window.display, existing, StructureNotifyMask);

  window.visual = VisualOfWindow(window.display, attributes);
  if (window.visual != nullptr && DrawsTheScene(window.display, window.visual)) {
    window.drawable = existing;
    return true;
  }
  if (window.visual != nullptr) {
    XFree(window.visual);
  }
  window.visual = ChooseSceneVisual(window.display);
  if (window.visual == nullptr || !CreateDrawingWindow(window, existing, 0, 0, NoEventMask)) {
    problem = "no OpenGL visual for the window";
    return false;
  }
  window.drawable = window.created;
  XMapWindow(window.display, window.created);
  return true;
}

// The scene follows the size of the watched window; a drawing window made inside it follows too.
void OnConfigure(SaverWindow& window, const XConfigureEvent& event) {
  if (event.window != window.watched ||
      (event.width == window.width && event.height == window.height)) {
    return;
  }
  window.width = event.width;
  window.height = event.height;
  window.sizeChanged = true;
  if (window.created != 0 && window.created != window.watched) {
    XResizeWindow(window.display, window.created, static_cast<unsigned>(event.width),
                  static_cast<unsigned>(event.height));
  }
}

void OnClientMessage(SaverWindow& window, const XClientMessageEvent& event) {
  if (window.ownWindow && event.format == 32 &&
      static_cast<Atom>(event.data.l[0]) == window.deleteWindow) {
    window.gone = true;
  }
}

// Escape and q end a hack that runs in a window of its own.
void OnKeyPress(SaverWindow& window, XKeyEvent& event) {
  if (!window.ownWindow) {
    return;
  }
  KeySym key = NoSymbol;
  std::array<char, 8> text{};
  XLookupString(&event, text.data(), static_cast<int>(text.size()), &key, nullptr);
  if (key == XK_Escape || key == XK_q || key == XK_Q) {
    window.gone = true;
  }
}

bool CreateContext(SaverWindow& window) {
  window.context = glXCreateContext(window.display, window.visual, nullptr, True);
  return window.context != nullptr &&
         glXMakeCurrent(window.display, window.drawable, window.context) == True;
}

}  // namespace

bool OpenSaverWindow(SaverWindow& window, const SaverOptions& options, std::string& problem) {
  window.display = XOpenDisplay(options.display.empty() ? nullptr : options.display.c_str());
  if (window.display == nullptr) {
    problem = "cannot open display " + std::string(XDisplayName(options.display.c_str()));
    return false;
  }
  windowForErrors = &window;
  window.previousErrorHandler = XSetErrorHandler(OnXError);
  int errorBase = 0;
  int eventBase = 0;
  if (!glXQueryExtension(window.display, &errorBase, &eventBase)) {
    problem = "the display has no OpenGL (GLX)";
    CloseSaverWindow(window);
    return false;
  }

  bool opened = false;
  switch (options.target) {
    case DrawTarget::OwnWindow:
      opened = OpenOwnWindow(window, options);
      if (!opened) {
        problem = "cannot make a window with OpenGL";
      }
      break;
    case DrawTarget::RootWindow:
      opened = UseExistingWindow(window, DefaultRootWindow(window.display), problem);
      break;
    case DrawTarget::GivenWindow:
      opened = UseExistingWindow(window, static_cast<Window>(options.windowId), problem);
      break;
  }
  if (opened && !CreateContext(window)) {
    problem = "cannot draw with OpenGL in the window";
    opened = false;
  }
  if (!opened) {
    CloseSaverWindow(window);
  }
  return opened;
}

void CloseSaverWindow(SaverWindow& window) {
  if (window.display == nullptr) {
    return;
  }
  if (window.context != nullptr) {
    glXMakeCurrent(window.display, None, nullptr);
    glXDestroyContext(window.display, window.context);
    window.context = nullptr;
  }
  if (window.created != 0) {
    XDestroyWindow(window.display, window.created);
    window.created = 0;
  }
  if (window.colormap != 0) {
    XFreeColormap(window.display, window.colormap);
    window.colormap = 0;
  }
  if (window.visual != nullptr) {
    XFree(window.visual);
    window.visual = nullptr;
  }
  // Errors about a window that is already gone come back now, while the handler still knows it.
  XSync(window.display, False);
  XCloseDisplay(window.display);
  window.display = nullptr;
  XSetErrorHandler(window.previousErrorHandler);
  windowForErrors = nullptr;
}

void HandleSaverEvents(SaverWindow& window) {
  while (XPending(window.display) > 0) {
    XEvent event;
    XNextEvent(window.display, &event);
    switch (event.type) {
      case ConfigureNotify:
        OnConfigure(window, event.xconfigure);
        break;
      case MapNotify:
      case UnmapNotify:
        if (event.xany.window == window.watched) {
          window.viewable = event.type == MapNotify;
        }
        break;
      case DestroyNotify:
        if (event.xdestroywindow.window == window.watched) {
          window.gone = true;
        }
        break;
      case ClientMessage:
        OnClientMessage(window, event.xclient);
        break;
      case KeyPress:
        OnKeyPress(window, event.xkey);
        break;
      default:
        break;
    }
  }
}

int DisplayRefreshHz(const SaverWindow& window) {
  int eventBase = 0;
  int errorBase = 0;
  if (!XRRQueryExtension(window.display, &eventBase, &errorBase)) {
    return 0;
  }
  XRRScreenConfiguration* configuration =
      XRRGetScreenInfo(window.display, DefaultRootWindow(window.display));
  if (configuration == nullptr) {
    return 0;
  }
  const int rate = XRRConfigCurrentRate(configuration);
  XRRFreeScreenConfigInfo(configuration);
  return rate;
}
