#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "settings/stored_text.h"

// The names of the settings file's three keys, and which of their two forms a system uses.
//
// Japanese systems have always stored the keys under their Japanese names in Shift-JIS
// ("BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ"; the katakana half-width), and the system's profile functions
// take names through the ANSI code page. Where that code page gives those bytes back unchanged
// (932, and single-byte code pages such as 1252, where every byte is one character), the keys are
// written under the Shift-JIS names, so the file stays byte for byte what Japanese systems write
// and read. Where it does not (936, 949 and 950 leave some of the bytes without a character, and
// for 65001 they are not UTF-8), the keys are written under ASCII names, which read the same in
// every code page.
//
// Reading takes a key's ASCII name first, then its Shift-JIS name where the code page carries it.
// Writing under the Shift-JIS names removes the ASCII names, so whichever system saved last, its
// values are the ones read back everywhere the bytes allow.

struct SettingsKey {
  std::string_view shiftJisName;
  std::string_view asciiName;
};

// "BGM区分": the music kind.
inline constexpr SettingsKey kKindKey{"BGM\x8B\xE6\x95\xAA", "BGMKind"};
// "BGMﾘﾋﾟｰﾄ": the CD track to repeat.
inline constexpr SettingsKey kRepeatTrackKey{"BGM\xD8\xCB\xDF\xB0\xC4", "BGMRepeatTrack"};
// "BGMﾌｧｲﾙ": the music file.
inline constexpr SettingsKey kFileKey{"BGM\xCC\xA7\xB2\xD9", "BGMFile"};

inline constexpr std::array<SettingsKey, 3> kSettingsKeys = {kKindKey, kRepeatTrackKey, kFileKey};

// Whether the code page gives `bytes` back unchanged after reading them as text.
bool CarriesBytes(std::string_view bytes, SystemCodePage& codePage);

// Whether keys are written under their Shift-JIS names on this system: all three are carried.
bool WritesShiftJisKeys(SystemCodePage& codePage);

// The names to read a key by, in order: the ASCII name, then the Shift-JIS name if carried.
std::vector<std::string> KeyNamesToRead(const SettingsKey& key, SystemCodePage& codePage);
