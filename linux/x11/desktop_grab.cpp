#include "linux/x11/desktop_grab.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "linux/pixel_format.h"
#include "linux/x11/stop_signals.h"

namespace {

constexpr char kGetImage[] = "xscreensaver-getimage";
// Where Debian installs XScreenSaver's helpers; the daemon puts it on the hacks' PATH, but a hack
// started by hand does not have it there.
constexpr char kGetImageInLibexec[] = "/usr/libexec/xscreensaver/xscreensaver-getimage";
// The name the helper gives a picture that is a grab of the desktop.
constexpr char kDesktopImageName[] = "desktop";
constexpr auto kGrabTimeout = std::chrono::seconds(20);
constexpr auto kEndTimeout = std::chrono::seconds(2);
constexpr int64_t kPollNanoseconds = 20'000'000;
constexpr int kExecFailed = 127;

std::string Hex(unsigned long id) {
  std::array<char, 24> text{};
  std::snprintf(text.data(), text.size(), "0x%lx", id);
  return text.data();
}

// Starts the helper; -1 when it cannot be started.
pid_t StartGetImage(const SaverWindow& window, Pixmap pixmap) {
  const std::vector<std::string> args = {kGetImage,     "--display",  DisplayString(window.display),
                                         "--no-images", "--no-video", Hex(window.drawable),
                                         Hex(pixmap)};
  std::vector<char*> argv;
  for (const std::string& arg : args) {
    argv.push_back(const_cast<char*>(arg.c_str()));
  }
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    RestoreSignalsForChild();
    execvp(kGetImage, argv.data());
    execv(kGetImageInLibexec, argv.data());
    _exit(kExecFailed);
  }
  return pid;
}

// Waits for the helper to end within `timeout`; true when it ended by itself with status 0.
bool GetImageSucceeded(pid_t pid, std::chrono::steady_clock::duration timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  while (!StopSignalReceived() && std::chrono::steady_clock::now() < deadline) {
    const pid_t ended = waitpid(pid, &status, WNOHANG);
    if (ended == pid) {
      return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    if (ended < 0) {
      return false;
    }
    WaitForInputOrSignal(-1, kPollNanoseconds);
  }
  // Too slow, or the program is asked to end: the helper is ended too.
  kill(pid, SIGTERM);
  const auto endDeadline = std::chrono::steady_clock::now() + kEndTimeout;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= endDeadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
    WaitForInputOrSignal(-1, kPollNanoseconds);
  }
  return false;
}

std::optional<std::string> TextProperty(const SaverWindow& window, const char* name) {
  const Atom property = XInternAtom(window.display, name, True);
  if (property == None) {
    return std::nullopt;
  }
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  constexpr long kMaxLongs = 1024;
  if (XGetWindowProperty(window.display, window.drawable, property, 0, kMaxLongs, False, XA_STRING,
                         &type, &format, &count, &remaining, &data) != Success ||
      data == nullptr) {
    return std::nullopt;
  }
  std::string text(reinterpret_cast<char*>(data), count);
  XFree(data);
  if (type != XA_STRING || format != 8) {
    return std::nullopt;
  }
  return text;
}

// The part of the pixmap the helper painted: the whole of it unless it says otherwise.
void PaintedArea(const SaverWindow& window, int& x, int& y, unsigned& width, unsigned& height) {
  const std::optional<std::string> geometry = TextProperty(window, "_SCREENSAVER_IMAGE_GEOMETRY");
  if (!geometry) {
    return;
  }
  int gx = 0;
  int gy = 0;
  unsigned gw = 0;
  unsigned gh = 0;
  const int given = XParseGeometry(geometry->c_str(), &gx, &gy, &gw, &gh);
  if ((given & (WidthValue | HeightValue)) != (WidthValue | HeightValue) || gx < 0 || gy < 0 ||
      gw == 0 || gh == 0 || gx + gw > width || gy + gh > height) {
    return;
  }
  x = gx;
  y = gy;
  width = gw;
  height = gh;
}

std::optional<RgbImage> ReadPixmap(const SaverWindow& window, Pixmap pixmap) {
  int x = 0;
  int y = 0;
  unsigned width = static_cast<unsigned>(window.width);
  unsigned height = static_cast<unsigned>(window.height);
  PaintedArea(window, x, y, width, height);
  XImage* image = XGetImage(window.display, pixmap, x, y, width, height, AllPlanes, ZPixmap);
  if (image == nullptr) {
    return std::nullopt;
  }
  const PixelFormat format{window.visual->red_mask, window.visual->green_mask,
                           window.visual->blue_mask};
  RgbImage picture;
  picture.width = static_cast<int32_t>(width);
  picture.height = static_cast<int32_t>(height);
  picture.pixels.resize(static_cast<size_t>(width) * height * 3);
  // The picture keeps its bottom row first.
  for (unsigned row = 0; row < height; ++row) {
    uint8_t* out = &picture.pixels[static_cast<size_t>(height - 1 - row) * width * 3];
    for (unsigned column = 0; column < width; ++column, out += 3) {
      format.Split(XGetPixel(image, static_cast<int>(column), static_cast<int>(row)), out);
    }
  }
  XDestroyImage(image);
  return picture;
}

}  // namespace

std::optional<RgbImage> GrabDesktop(const SaverWindow& window) {
  if (window.width <= 0 || window.height <= 0) {
    return std::nullopt;
  }
  const Pixmap pixmap = XCreatePixmap(
      window.display, window.drawable, static_cast<unsigned>(window.width),
      static_cast<unsigned>(window.height), static_cast<unsigned>(window.visual->depth));
  // A name left by an earlier grab into the same window must not pass for this one's.
  const Atom name = XInternAtom(window.display, "_SCREENSAVER_IMAGE_FILENAME", True);
  if (name != None) {
    XDeleteProperty(window.display, window.drawable, name);
  }
  // The helper must find the pixmap on the server when it starts.
  XSync(window.display, False);
  std::optional<RgbImage> desktop;
  const pid_t pid = StartGetImage(window, pixmap);
  if (pid > 0 && GetImageSucceeded(pid, kGrabTimeout) &&
      TextProperty(window, "_SCREENSAVER_IMAGE_FILENAME") == std::string(kDesktopImageName)) {
    desktop = ReadPixmap(window, pixmap);
  }
  XFreePixmap(window.display, pixmap);
  return desktop;
}
