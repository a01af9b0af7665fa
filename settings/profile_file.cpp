#include "settings/profile_file.h"

#include <algorithm>

namespace {

// Given as the default of a read, to tell a missing key from an empty one: no value the settings
// file stores is a lone control character.
constexpr char kAbsentValue[] = "\x01";

// The value read with ever more room until it fits. The profile functions fill a buffer that is
// too small up to one or two bytes short of its size (two where a cut would split a character),
// so a value that long may have been cut and is read again with more room.
std::string ReadWhole(ProfileFile& profile, const std::string& section, const std::string& key,
                      const std::string& defaultValue, const std::string& path) {
  std::string value;
  for (size_t size = kIniValueBufferSize;; size *= 4) {
    value = profile.ReadString(section, key, defaultValue, size, path);
    value.resize(std::min(value.size(), value.find('\0')));
    if (value.size() + 2 < size || size >= kIniValueBufferLimit) return value;
  }
}

}  // namespace

std::string ReadIniValue(ProfileFile& profile, const std::string& section, const std::string& key,
                         const std::string& path) {
  return ReadWhole(profile, section, key, "", path);
}

std::optional<std::string> ReadIniValueIfPresent(ProfileFile& profile, const std::string& section,
                                                 const std::string& key, const std::string& path) {
  std::string value = ReadWhole(profile, section, key, kAbsentValue, path);
  if (value == kAbsentValue) return std::nullopt;
  return value;
}

bool WriteIniValue(ProfileFile& profile, const std::string& section, const std::string& key,
                   const std::string& value, const std::string& path) {
  return profile.WriteString(section.substr(0, kIniNameFieldSize - 1),
                             key.substr(0, kIniNameFieldSize - 1), value, path);
}
