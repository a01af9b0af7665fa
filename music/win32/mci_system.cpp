#include "music/win32/mci_system.h"

#include <windows.h>
#include <mmsystem.h>

#include <string_view>

#include "settings/win32/settings_system.h"

namespace {

// The code of a command that was refused before reaching the system.
constexpr int32_t kRefusedCommandCode = MCIERR_UNRECOGNIZED_COMMAND;

// `text` as a NUL-terminated wide string for the system; std::nullopt when it is not well-formed
// UTF-8 or holds a NUL, which would end the string early.
std::optional<std::wstring> WideArgument(std::string_view text) {
  std::optional<std::wstring> wide = WideFromUtf8(text);
  if (!wide || wide->find(L'\0') != std::wstring::npos) return std::nullopt;
  return wide;
}

// A filled wide buffer up to its first NUL, as UTF-8.
std::string Utf8UpToNul(const std::wstring& buffer) {
  return Utf8FromWide(std::wstring_view(buffer.c_str()));
}

// True when `text` has a form in the ANSI code page with no character replaced.
bool FitsAnsiCodePage(const std::wstring& text) {
  BOOL usedDefault = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0,
                                       nullptr, &usedDefault);
  return size > 0 && !usedDefault;
}

// The path under which the sound player finds the file. Some sound players (Wine's among them)
// open the file through the ANSI code page even from PlaySoundW, so a path with characters
// outside it goes by its short form when that one fits the code page.
std::wstring SoundPlayerPath(const std::wstring& path) {
  if (FitsAnsiCodePage(path)) return path;
  const DWORD room = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (room == 0) return path;
  std::wstring shortPath(room, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), room);
  if (length == 0 || length >= room) return path;
  shortPath.resize(length);
  return FitsAnsiCodePage(shortPath) ? shortPath : path;
}

}  // namespace

MciReply Win32MciPort::send(const std::string& command, size_t replyLength) {
  const std::optional<std::wstring> wide = WideArgument(command);
  if (!wide) return MciReply{kRefusedCommandCode, std::string()};

  // Exactly the room asked for, so that a reply too long for it fails as it would for the caller.
  std::wstring reply(replyLength, L'\0');
  const MCIERROR code = mciSendStringW(wide->c_str(), replyLength > 0 ? reply.data() : nullptr,
                                       static_cast<UINT>(replyLength), nullptr);
  return MciReply{static_cast<int32_t>(code), Utf8UpToNul(reply)};
}

std::optional<std::string> Win32MciPort::errorText(int32_t code, size_t bufferLength) {
  std::wstring buffer(bufferLength, L'\0');
  if (bufferLength == 0 || !mciGetErrorStringW(static_cast<MCIERROR>(code), buffer.data(),
                                               static_cast<UINT>(bufferLength))) {
    return std::nullopt;
  }
  return Utf8UpToNul(buffer);
}

uint32_t Win32MciPort::countWaveDevices() { return waveOutGetNumDevs(); }

int32_t Win32MciPort::playSound(const std::optional<std::string>& path, uint32_t flags) {
  if (!path) return PlaySoundW(nullptr, nullptr, flags);
  const std::optional<std::wstring> wide = WideArgument(*path);
  if (!wide) return FALSE;
  return PlaySoundW(SoundPlayerPath(*wide).c_str(), nullptr, flags | SND_FILENAME);
}
