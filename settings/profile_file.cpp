#include "settings/profile_file.h"

#include <algorithm>

namespace {

// Given as the default of a read, to tell a missing key from an empty one: no value the settings
// file stores is a lone control character.
constexpr char kAbsentValue[] = "\x01";

// What a fixed buffer of the read's size holds: the text before the first NUL, never more.
std::string CutToBuffer(std::string value) {
  value.resize(std::min({value.size(), value.find('\0'), kIniValueBufferSize - 1}));
  return value;
}

}  // namespace

std::string ReadIniValue(ProfileFile& profile, const std::string& section, const std::string& key,
                         const std::string& path) {
  return CutToBuffer(profile.ReadString(section, key, "", kIniValueBufferSize, path));
}

std::optional<std::string> ReadIniValueIfPresent(ProfileFile& profile, const std::string& section,
                                                 const std::string& key, const std::string& path) {
  const std::string value =
      profile.ReadString(section, key, kAbsentValue, kIniValueBufferSize, path);
  if (value == kAbsentValue) return std::nullopt;
  return CutToBuffer(value);
}

bool WriteIniValue(ProfileFile& profile, const std::string& section, const std::string& key,
                   const std::string& value, const std::string& path) {
  return profile.WriteString(section.substr(0, kIniNameFieldSize - 1),
                             key.substr(0, kIniNameFieldSize - 1), value, path);
}
