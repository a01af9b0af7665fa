#include "renderer/win32/renderer_window.h"

#include <GL/gl.h>

#include <cstddef>
#include <cstring>

#include "contract/saver_contract.h"
#include "scene/projection.h"
#include "scene/scene.h"

namespace {

// The system commands that would start a screen saver or power the monitor down.
constexpr WPARAM kScreenSaveCommand = SC_SCREENSAVE;      // 0xF140
constexpr WPARAM kMonitorPowerCommand = SC_MONITORPOWER;  // 0xF170

constexpr int kDepthBits = 16;

using SwapIntervalProc = BOOL(WINAPI*)(int);
using ExtensionsStringProc = const char*(WINAPI*)();

// Extension entry points come back as a generic procedure; the detour through a function type
// without parameters keeps the compiler's function-cast check quiet.
template <typename Proc>
Proc WglProcedure(const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}

PIXELFORMATDESCRIPTOR PixelFormatRequest(int bits) {
  PIXELFORMATDESCRIPTOR request{};
  request.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  request.nVersion = 1;
  request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  request.iPixelType = PFD_TYPE_RGBA;
  request.cColorBits = static_cast<BYTE>(bits);
  request.cDepthBits = kDepthBits;
  request.iLayerType = PFD_MAIN_PLANE;
  return request;
}

// Drivers that offer it are asked to wait for the display's refresh on each swap, so the scene
// moves at the same speed on drivers whose default is not to wait. True when the driver took it.
bool RequestSwapInterval() {
  auto extensionsString = WglProcedure<ExtensionsStringProc>("wglGetExtensionsStringEXT");
  if (extensionsString == nullptr) {
    return false;
  }
  const char* extensions = extensionsString();
  if (extensions == nullptr || std::strstr(extensions, "WGL_EXT_swap_control") == nullptr) {
    return false;
  }
  auto swapInterval = WglProcedure<SwapIntervalProc>("wglSwapIntervalEXT");
  return swapInterval != nullptr && swapInterval(1) != FALSE;
}

bool RegisterRendererClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = RendererWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kRendererWindowClass;
  return RegisterClassA(&windowClass) != 0;
}

RendererWindow* RendererOf(HWND window) {
  return reinterpret_cast<RendererWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT OnActivate(RendererWindow& renderer, WPARAM wParam) {
  renderer.windowActive = HIWORD(wParam) == 0;
  return 0;
}

// The display mode and the cursor are given back as soon as the saver ends, whatever ends it;
// a second call finds nothing left to restore.
void RestoreDisplayAndCursor(RendererWindow& renderer) {
  RestoreSceneDisplay(renderer.display);
  if (renderer.cursorHidden) {
    ShowCursor(TRUE);
    renderer.cursorHidden = false;
  }
}

// The session ends: the system may end the process as soon as this returns, so the display mode
// and the cursor are restored here, before the loop would.
LRESULT OnEndSession(RendererWindow& renderer, WPARAM ending) {
  if (ending != FALSE) {
    RestoreDisplayAndCursor(renderer);
    PostQuitMessage(0);
  }
  return 0;
}

}  // namespace

bool CreateRenderingContext(SceneWindow& scene, int bits) {
  scene.deviceContext = GetDC(scene.window);
  if (scene.deviceContext == nullptr) {
    return false;
  }
  const PIXELFORMATDESCRIPTOR request = PixelFormatRequest(bits);
  const int format = ChoosePixelFormat(scene.deviceContext, &request);
  if (format == 0 || !SetPixelFormat(scene.deviceContext, format, &request)) {
    return false;
  }
  scene.renderingContext = wglCreateContext(scene.deviceContext);
  if (scene.renderingContext == nullptr ||
      !wglMakeCurrent(scene.deviceContext, scene.renderingContext)) {
    return false;
  }
  scene.swapInterval = RequestSwapInterval();
  return true;
}

void ReleaseRenderingContext(SceneWindow& scene) {
  if (scene.renderingContext != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(scene.renderingContext);
    scene.renderingContext = nullptr;
  }
  if (scene.deviceContext != nullptr) {
    ReleaseDC(scene.window, scene.deviceContext);
    scene.deviceContext = nullptr;
  }
}

bool AnswerSceneWindowMessage(SceneWindow& scene, HWND window, UINT message, WPARAM wParam,
                              LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_SYSCOMMAND:
      if (wParam == kScreenSaveCommand || wParam == kMonitorPowerCommand) return true;
      result = DefWindowProcA(window, message, wParam, lParam);
      return true;
    case WM_KEYDOWN:
      // Escape is the one key the saver reacts to.
      if (wParam == VK_ESCAPE) scene.endRequested = true;
      return true;
    case WM_KEYUP:
      return true;
    case WM_SIZE:
      // Minimising does not always deactivate the window (not when nothing else can take the
      // activation), so the size message's minimised state also stops and resumes drawing.
      if (wParam == SIZE_MINIMIZED) {
        scene.windowActive = false;
      } else if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) {
        scene.windowActive = true;
      }
      // The frame loop sets the projection for the new size before its next frame.
      scene.clientWidth = LOWORD(lParam);
      scene.clientHeight = HIWORD(lParam);
      scene.sizeChanged = true;
      return true;
    case WM_DISPLAYCHANGE:
      scene.displayChanged = true;
      return true;
    default:
      return false;
  }
}

bool OpenRendererWindow(RendererWindow& renderer, const char* title, int width, int height,
                        int bits, bool fullScreen) {
  renderer.fullScreen = fullScreen;
  renderer.instance = GetModuleHandleA(nullptr);
  ScreenRect place{0, 0, width, height};

  if (!RegisterRendererClass(renderer.instance)) {
    return false;
  }
  DWORD exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
  DWORD style = WS_OVERLAPPEDWINDOW;
  if (fullScreen) {
    renderer.display = PrepareSceneDisplay({width, height, bits});
    place = renderer.display.rect;
    exStyle = WS_EX_APPWINDOW;
    style = WS_POPUP;
    ShowCursor(FALSE);
    renderer.cursorHidden = true;
  }

  RECT rect{0, 0, place.width(), place.height()};
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  renderer.window = CreateWindowExA(exStyle, kRendererWindowClass, title,
                                    style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, place.left,
                                    place.top, rect.right - rect.left, rect.bottom - rect.top,
                                    nullptr, nullptr, renderer.instance, &renderer);
  if (renderer.window == nullptr || !CreateRenderingContext(renderer, bits)) {
    CloseRendererWindow(renderer);
    return false;
  }

  ShowWindow(renderer.window, SW_SHOW);
  SetForegroundWindow(renderer.window);
  SetFocus(renderer.window);
  SetProjection(place.width(), place.height());
  if (fullScreen) renderer.deskNotifications = std::make_unique<DeskNotifications>(renderer.window);

  if (renderer.scene == nullptr || !renderer.scene->InitScene()) {
    CloseRendererWindow(renderer);
    return false;
  }
  return true;
}

void CloseRendererWindow(RendererWindow& renderer) {
  RestoreDisplayAndCursor(renderer);
  renderer.deskNotifications.reset();
  ReleaseRenderingContext(renderer);
  if (renderer.window != nullptr) {
    DestroyWindow(renderer.window);
    renderer.window = nullptr;
  }
  UnregisterClassA(kRendererWindowClass, renderer.instance);
}

LRESULT CALLBACK RendererWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  RendererWindow* renderer = RendererOf(window);
  if (renderer == nullptr) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
  LRESULT result = 0;
  if (AnswerSceneWindowMessage(*renderer, window, message, wParam, lParam, result)) {
    return result;
  }
  switch (message) {
    case WM_ACTIVATE:
      return OnActivate(*renderer, wParam);
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    case WM_ENDSESSION:
      return OnEndSession(*renderer, wParam);
    case WM_POWERBROADCAST:
    case WM_WTSSESSION_CHANGE:
      if (DeskNotifications::Answer(renderer->desk, message, wParam, lParam, result)) {
        renderer->deskChanged = true;
        return result;
      }
      return DefWindowProcA(window, message, wParam, lParam);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
