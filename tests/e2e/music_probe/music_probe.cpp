// music-probe.exe: runs the saver's background music over the system's MCI and sound player,
// for the Wine scenarios.
//
//   play-file PATH SECONDS STOP_FILE
//                            start the music file PATH as the saver does, tick the MP3 watch
//                            once a second printing "tick=N mode=REPLY" (the MP3 device's mode,
//                            or "error=CODE") until the file STOP_FILE exists or SECONDS have
//                            passed, then stop; "stopped-by=file" or "stopped-by=time" says
//                            which
//   cd SECONDS               start the audio CD as the saver does, tick the CD watch every
//                            200 ms while it stays on, for at most SECONDS seconds, printing
//                            "cd-tick=N cd-timer=on|off", then stop
//   wave-devices             print "wave-devices=N"
//   bench-ticks N MP3PATH    time N ticks of the CD watch (a CD opened as the saver opens it) and
//                            N ticks of the MP3 watch (MP3PATH playing), each from the start to
//                            the end of the watch call, as the window's timer handler runs it;
//                            print "cd-tick-us=" and "mp3-tick-us=" with the median, the
//                            10th and the 90th percentile in microseconds
// The music commands print "open-devices-started=N", the number of MCI devices open right after
// starting, and end with "open-devices=N", the number still open after stopping; play-file also
// prints "mp3-after-stop=" and the MP3 device's mode or error code then. Texts are printed as
// UTF-8, lines end in LF. Exit code 0 on success, 1 when the open-device count cannot be read, 2 on
// wrong usage.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "music/music.h"
#include "music/music_session.h"
#include "music/win32/mci_system.h"
#include "settings/settings_file.h"
#include "settings/win32/settings_system.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kDecimal = 10;
constexpr long kMaxSeconds = 600;
constexpr int kMsPerSecond = 1000;

constexpr char kMp3ModeQuery[] = "status MP3Play mode";
constexpr char kOpenDeviceQuery[] = "sysinfo all quantity open";

void Print(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

// A whole number of seconds from 1 to kMaxSeconds.
bool ParseSeconds(const wchar_t* text, long& seconds) {
  wchar_t* end = nullptr;
  errno = 0;
  seconds = std::wcstol(text, &end, kDecimal);
  return end != text && *end == L'\0' && errno == 0 && seconds >= 1 && seconds <= kMaxSeconds;
}

// Waits `ms` milliseconds while dispatching the thread's window messages, as the saver window's
// message loop does between timer ticks.
void WaitPumping(DWORD ms) {
  const ULONGLONG until = GetTickCount64() + ms;
  for (ULONGLONG now = GetTickCount64(); now < until; now = GetTickCount64()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now), QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

const char* OnOff(bool on) { return on ? "on" : "off"; }

// The reply to `query`, or "error=" and its code.
std::string ReplyOrError(MciPort& mci, const char* query, size_t replyLength) {
  const MciReply reply = mci.send(query, replyLength);
  return reply.code == 0 ? reply.text : "error=" + std::to_string(reply.code);
}

int PrintOpenDevices(MciPort& mci, const char* name) {
  const MciReply reply = mci.send(kOpenDeviceQuery, kMciReplyLength);
  if (reply.code != 0) {
    Print(std::string(name) + "=error=" + std::to_string(reply.code) + "\n");
    return kExitFailed;
  }
  Print(std::string(name) + "=" + reply.text + "\n");
  return kExitOk;
}

bool FileExists(const wchar_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

int PlayFile(const wchar_t* path, long seconds, const wchar_t* stopFile) {
  Win32MciPort mci;
  SettingsRecord settings;
  settings.bgmKind = MusicFile;
  settings.bgmFile = Utf8FromWide(path);
  SaverMusic music(mci, settings);
  music.Start();
  Print(std::string("mp3-timer=") + OnOff(music.mp3TimerOn()) + "\n");
  if (PrintOpenDevices(mci, "open-devices-started") != kExitOk) return kExitFailed;
  const ULONGLONG until = GetTickCount64() + ULONGLONG(seconds) * kMsPerSecond;
  bool stoppedByFile = false;
  for (long tick = 1; !(stoppedByFile = FileExists(stopFile)) && GetTickCount64() < until; ++tick) {
    WaitPumping(kMp3WatchIntervalMs);
    if (!music.mp3TimerOn()) continue;
    music.OnMp3Timer();
    Print("tick=" + std::to_string(tick) +
          " mode=" + ReplyOrError(mci, kMp3ModeQuery, kMp3ModeReplyLength) + "\n");
  }
  Print(std::string("stopped-by=") + (stoppedByFile ? "file" : "time") + "\n");
  music.Stop();
  Print("mp3-after-stop=" + ReplyOrError(mci, kMp3ModeQuery, kMp3ModeReplyLength) + "\n");
  return PrintOpenDevices(mci, "open-devices");
}

int PlayCd(long seconds) {
  Win32MciPort mci;
  SettingsRecord settings;
  settings.bgmKind = MusicCd;
  SaverMusic music(mci, settings);
  music.Start();
  Print(std::string("cd-timer=") + OnOff(music.cdTimerOn()) + "\n");
  if (PrintOpenDevices(mci, "open-devices-started") != kExitOk) return kExitFailed;
  const long ticks = seconds * kMsPerSecond / kCdWatchIntervalMs;
  for (long tick = 1; tick <= ticks && music.cdTimerOn(); ++tick) {
    WaitPumping(kCdWatchIntervalMs);
    music.OnCdTimer();
    Print("cd-tick=" + std::to_string(tick) + " cd-timer=" + OnOff(music.cdTimerOn()) + "\n");
  }
  music.Stop();
  return PrintOpenDevices(mci, "open-devices");
}

double MicrosecondsBetween(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return 1e6 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// "median p10 p90" of the times.
std::string Percentiles(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  auto at = [&](double share) { return times[size_t(share * double(times.size() - 1))]; };
  char text[96];
  std::snprintf(text, sizeof text, "median=%.0f p10=%.0f p90=%.0f", at(0.5), at(0.1), at(0.9));
  return text;
}

template <typename Tick>
std::vector<double> TimeTicks(long count, DWORD intervalMs, Tick tick) {
  std::vector<double> times;
  for (long i = 0; i < count; ++i) {
    WaitPumping(intervalMs);
    LARGE_INTEGER before{}, after{};
    QueryPerformanceCounter(&before);
    tick();
    QueryPerformanceCounter(&after);
    times.push_back(MicrosecondsBetween(before, after));
  }
  return times;
}

int BenchTicks(long count, const wchar_t* mp3Path) {
  Win32MciPort mci;
  SettingsRecord cd;
  cd.bgmKind = MusicCd;
  BackgroundMusic cdMusic(mci, cd);
  cdMusic.OpenCdAudio();
  // Every tick is timed, also after an error has ended the watch in the saver: the call is what
  // the user-interface thread waits for.
  Print("cd-tick-us " +
        Percentiles(TimeTicks(count, kCdWatchIntervalMs, [&] { cdMusic.WatchCdAudio(); })) + "\n");
  cdMusic.CloseCdAudio();

  SettingsRecord file;
  file.bgmKind = MusicFile;
  file.bgmFile = Utf8FromWide(mp3Path);
  BackgroundMusic mp3Music(mci, file);
  mp3Music.OpenAndPlayMp3();
  Print("mp3-tick-us " +
        Percentiles(TimeTicks(count, kMp3WatchIntervalMs / 10, [&] { mp3Music.WatchMp3(); })) +
        "\n");
  Print("mp3-mode-at-end=" + ReplyOrError(mci, kMp3ModeQuery, kMp3ModeReplyLength) + "\n");
  mp3Music.CloseMp3();
  return kExitOk;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  const std::wstring command = argc > 1 ? argv[1] : L"";
  long seconds = 0;
  if (command == L"wave-devices" && argc == 2) {
    Win32MciPort mci;
    Print("wave-devices=" + std::to_string(mci.countWaveDevices()) + "\n");
    return kExitOk;
  }
  if (command == L"play-file" && argc == 5 && ParseSeconds(argv[3], seconds)) {
    return PlayFile(argv[2], seconds, argv[4]);
  }
  if (command == L"cd" && argc == 3 && ParseSeconds(argv[2], seconds)) return PlayCd(seconds);
  if (command == L"bench-ticks" && argc == 4) {
    const long count = std::wcstol(argv[2], nullptr, kDecimal);
    if (count >= 1 && count <= 100000) return BenchTicks(count, argv[3]);
  }
  std::fputs(
      "usage: music-probe play-file PATH SECONDS STOP_FILE | cd SECONDS | "
      "wave-devices | bench-ticks N MP3PATH\n",
      stderr);
  return kExitUsage;
}
