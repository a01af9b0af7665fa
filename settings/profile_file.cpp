#include "settings/profile_file.h"

#include <algorithm>

std::string ReadIniValue(ProfileFile& profile, const std::string& section, const std::string& key,
                         const std::string& path) {
  std::string value = profile.ReadString(section, key, "", kIniValueBufferSize, path);
  // What a fixed buffer of that size holds: the text before the first NUL, never more.
  value.resize(std::min({value.size(), value.find('\0'), kIniValueBufferSize - 1}));
  return value;
}

bool WriteIniValue(ProfileFile& profile, const std::string& section, const std::string& key,
                   const std::string& value, const std::string& path) {
  return profile.WriteString(section.substr(0, kIniNameFieldSize - 1),
                             key.substr(0, kIniNameFieldSize - 1), value, path);
}
