#pragma once

// What the saver's two programs and their tests agree on. The host ミレボラ.scr writes the
// capture files and starts the renderer ミレボラ.dll, which reads the files and opens its window;
// the host watches for that window, and a second host start looks for the host's own windows.
// Every name and path one side looks for in the other is written here once. Plain C++: the
// portable scene, both Windows programs and the test probes include it alike.

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

// A name of ASCII characters as a wide string, made at compile time, for a name one program
// passes to the system's ANSI calls and the other to its wide ones. A character outside ASCII
// stops the build.
template <std::size_t N>
constexpr std::array<wchar_t, N> WideAscii(const char (&text)[N]) {
  std::array<wchar_t, N> wide{};
  for (std::size_t i = 0; i < N; ++i) {
    if (static_cast<unsigned char>(text[i]) > 0x7F) throw std::logic_error("not ASCII");
    wide[i] = static_cast<wchar_t>(text[i]);
  }
  return wide;
}

// ---- The capture files: the host writes them at every saver start, the renderer reads them
// once into its textures, the host deletes them when the saver ends.

// What each file is drawn on, in the order the renderer loads them; the value is also the index
// into the scene's capture textures.
enum CaptureRole : int {
  kDebrisTexture = 0,  // Valdorique1.bmp: the glow of a burst's debris
  kGroundTexture = 1,  // Valdorique2.bmp: the copy of the primary screen, the ground
  kSkyTexture = 2,     // Valdorique3.bmp: the nebula sky
  kMeteorTexture = 3,  // Valdorique4.bmp: the Earth the meteors are wrapped in
};
inline constexpr int kCaptureFileCount = 4;
inline constexpr std::array<CaptureRole, kCaptureFileCount> kCaptureLoadOrder = {
    kDebrisTexture, kGroundTexture, kSkyTexture, kMeteorTexture};

// Each role's file name, by role.
inline constexpr std::array<const char*, kCaptureFileCount> kCaptureFileNames = {
    "Valdorique1.bmp", "Valdorique2.bmp", "Valdorique3.bmp", "Valdorique4.bmp"};

// The shared folder of the files, used by every run that can, as each program spells it (Windows
// reads both as one folder): the host
// creates it and writes the files through wide calls; the renderer opens them through ANSI calls,
// and its spelling shows in its error messages.
inline constexpr char kHostCaptureFolder[] = "C:\\k_vusa";
inline constexpr auto kHostCaptureFolderWide = WideAscii(kHostCaptureFolder);
inline constexpr char kRendererCaptureFolder[] = "c:\\k_vusa";

// "c:\k_vusa\Valdorique1.bmp" ...: the file the renderer opens for `role`.
inline std::string RendererCapturePath(CaptureRole role) {
  return std::string(kRendererCaptureFolder) + "\\" + kCaptureFileNames[role];
}

// L"C:\k_vusa\Valdorique1.bmp" ...: the file the host writes for `role`.
inline std::wstring HostCapturePath(CaptureRole role) {
  const std::string path = std::string(kHostCaptureFolder) + "\\" + kCaptureFileNames[role];
  return std::wstring(path.begin(), path.end());
}

// When a run cannot put its four files into the shared folder (a file there that it may not
// replace, such as another user's, or a folder it cannot write), the host writes them into a new
// folder of that run's own, private to its user, and starts the renderer with two arguments: this
// switch and the folder's full path. Started with no arguments, the renderer reads the shared
// folder. The folder's path may hold any characters: both sides pass it through wide calls.
inline constexpr wchar_t kCaptureFolderSwitch[] = L"/captures";

// FOLDER\Valdorique1.bmp ...: the file of `role` in the folder `folder` (no trailing "\").
inline std::wstring CapturePathIn(const std::wstring& folder, CaptureRole role) {
  const std::string name = kCaptureFileNames[role];
  return folder + L"\\" + std::wstring(name.begin(), name.end());
}

// ---- The renderer's windows (ANSI): the host watches for the scene's window by its title.

inline constexpr char kRendererWindowClass[] = "OpenGL";
inline constexpr char kRendererWindowTitle[] = "Valdorique_VC";
inline constexpr auto kRendererWindowTitleWide = WideAscii(kRendererWindowTitle);
// The windows of the scenes on the monitors other than the primary, each on a thread of its own.
inline constexpr char kMonitorSceneWindowClass[] = "OpenGLMonitor";
inline constexpr char kMonitorSceneWindowTitle[] = "Valdorique_Monitor";

// ---- The host (wide): the renderer it starts from its own folder, and its windows. While a
// saver window or a settings dialog exists, a second host start ends at once.

inline constexpr wchar_t kRendererProgramName[] = L"ミレボラ.dll";
inline constexpr wchar_t kSaverWindowTitle[] = L"Valdorique_Main";
inline constexpr wchar_t kSaverWindowClass[] = L"Valdorique_S";
inline constexpr wchar_t kSettingsDialogTitle[] = L"<ミレボラ>";
inline constexpr wchar_t kSettingsDialogClass[] = L"Valdorique_P";
inline constexpr wchar_t kPreviewWindowTitle[] = L"Preview Window";
inline constexpr wchar_t kPreviewWindowClass[] = L"Valdorique_R";
