#include "renderer/win32/monitor_scenes.h"

#include <algorithm>
#include <string>

#include "contract/saver_contract.h"
#include "renderer/win32/renderer_window.h"
#include "scene/opengl.h"
#include "scene/scene.h"
#include "scene/scene_seed.h"

namespace {

// How long the primary's thread waits for another monitor's window to appear before it goes on.
constexpr DWORD kWindowReadyTimeoutMs = 5000;

// Waits for `handle` while answering the messages other threads send to this thread's windows:
// a scene's thread that ends or starts may activate the primary's window, and waits for the
// answer. Posted messages stay queued for the frame loop.
void WaitAnsweringSentMessages(HANDLE handle, DWORD timeoutMs) {
  const ULONGLONG until = GetTickCount64() + timeoutMs;
  for (;;) {
    DWORD left = INFINITE;
    if (timeoutMs != INFINITE) {
      const ULONGLONG now = GetTickCount64();
      if (now >= until) return;
      left = static_cast<DWORD>(until - now);
    }
    if (MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE) != WAIT_OBJECT_0 + 1) {
      return;  // signalled, timed out or failed
    }
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

SceneWindow* SceneOf(HWND window) {
  return reinterpret_cast<SceneWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK MonitorSceneWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  SceneWindow* scene = SceneOf(window);
  if (scene == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  if (AnswerSceneWindowMessage(*scene, window, message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_MOUSEACTIVATE:
      // A click leaves the activation, and the keyboard, where they are.
      return MA_NOACTIVATE;
    case WM_SETCURSOR:
      SetCursor(nullptr);
      return TRUE;
    case WM_CLOSE:
      scene->endRequested = true;
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

MonitorScene::MonitorScene(HINSTANCE instance, const MonitorScenePlace& place,
                           const RememberedPictures& shared, std::optional<RgbImage> desktop,
                           SharedDesk& desk)
    : instance_(instance), place_(place), pictures_(shared, std::move(desktop)), desk_(desk) {
  windowReady_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = CreateThread(nullptr, 0, ThreadMain, this, 0, &threadId_);
  if (thread_ != nullptr && windowReady_ != nullptr) {
    WaitAnsweringSentMessages(windowReady_, kWindowReadyTimeoutMs);
  }
}

MonitorScene::~MonitorScene() {
  retired_ = true;
  if (thread_ != nullptr) {
    // Cuts a wait of the scene's loop short; a thread without a message queue yet sees the flag
    // at its first pass.
    PostThreadMessageA(threadId_, WM_NULL, 0, 0);
    WaitAnsweringSentMessages(thread_, INFINITE);
    CloseHandle(thread_);
  }
  if (windowReady_ != nullptr) CloseHandle(windowReady_);
}

void MonitorScene::MoveTo(const ScreenRect& rect) {
  place_.rect = rect;
  if (window_ == nullptr) return;
  // Asynchronous: the scene's thread moves its window when it next handles its messages.
  SetWindowPos(window_, nullptr, rect.left, rect.top, rect.width(), rect.height(),
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_ASYNCWINDOWPOS);
}

void MonitorScene::Wake() const {
  if (thread_ != nullptr) PostThreadMessageA(threadId_, WM_NULL, 0, 0);
}

DWORD WINAPI MonitorScene::ThreadMain(void* self) {
  static_cast<MonitorScene*>(self)->Run();
  return 0;
}

void MonitorScene::Run() {
  // One keyboard and one activation for every window of the saver, as if all were the primary
  // thread's: a key pressed while the window system has given this window the keyboard reaches
  // the window that has the focus.
  AttachThreadInput(GetCurrentThreadId(), desk_.primaryThread(), TRUE);
  SceneWindow window;
  const ScreenRect rect = place_.rect;  // MoveTo may change place_ once the window is ready
  window.window = CreateWindowExA(
      WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kMonitorSceneWindowClass, kMonitorSceneWindowTitle,
      WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect.left, rect.top, rect.width(),
      rect.height(), nullptr, nullptr, instance_, &window);
  if (window.window != nullptr) ShowWindow(window.window, SW_SHOWNOACTIVATE);
  window_ = window.window;
  SetEvent(windowReady_);
  if (window.window == nullptr) return;

  {
    bool drawing = CreateRenderingContext(window, kRendererColourBits);
    FramePlatformOptions options;
    options.reportName = "mirebora monitor " + std::to_string(place_.place);
    options.retired = &retired_;
    WindowsFramePlatform platform(window, desk_, options);
    Scene scene(pictures_, SceneSeedForPlace(place_.place));
    if (drawing) {
      scene.Resize(rect.width(), rect.height());
      drawing = scene.InitScene();
    }
    if (drawing) {
      RunFrameLoop(platform, scene, {GlRendererName(), true});
    } else {
      // Nothing can be drawn here: the window stays black until the saver ends.
      while (platform.PumpInput({})) platform.WaitForInput(FramePlatform::kNoTimeLimit);
    }
  }
  ReleaseRenderingContext(window);
  DestroyWindow(window.window);
}

MonitorScenes::MonitorScenes(HINSTANCE instance, const RememberedPictures& shared,
                             MonitorDesktops desktops, SharedDesk& desk)
    : instance_(instance), shared_(shared), desktops_(std::move(desktops)), desk_(desk) {
  WNDCLASSA sceneClass{};
  sceneClass.style = CS_OWNDC;
  sceneClass.lpfnWndProc = MonitorSceneWindowProc;
  sceneClass.hInstance = instance;
  sceneClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  sceneClass.lpszClassName = kMonitorSceneWindowClass;
  classRegistered_ = RegisterClassA(&sceneClass) != 0;
}

MonitorScenes::~MonitorScenes() {
  scenes_.clear();
  if (classRegistered_) UnregisterClassA(kMonitorSceneWindowClass, instance_);
}

void MonitorScenes::WakeAll() const {
  for (const auto& scene : scenes_) scene->Wake();
}

void MonitorScenes::Follow(const std::vector<MonitorInfo>& monitors,
                           const ScreenRect& primaryScene) {
  if (!classRegistered_) return;
  std::vector<MonitorScenePlace> running;
  for (const auto& scene : scenes_) running.push_back(scene->place());
  const MonitorScenesChange change = PlanMonitorScenes(running, monitors, primaryScene);

  scenes_.erase(std::remove_if(scenes_.begin(), scenes_.end(),
                               [&](const std::unique_ptr<MonitorScene>& scene) {
                                 return std::find(change.end.begin(), change.end.end(),
                                                  scene->place().device) != change.end.end();
                               }),
                scenes_.end());
  for (const MonitorScenePlace& moved : change.move) {
    for (const auto& scene : scenes_) {
      if (scene->place().device == moved.device) scene->MoveTo(moved.rect);
    }
  }
  for (const MonitorScenePlace& started : change.start) {
    std::optional<RgbImage> desktop;
    const auto found = desktops_.find(started.device);
    if (found != desktops_.end()) desktop = found->second;
    scenes_.push_back(
        std::make_unique<MonitorScene>(instance_, started, shared_, std::move(desktop), desk_));
  }
}
