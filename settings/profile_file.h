#pragma once

#include <cstddef>
#include <optional>
#include <string>

// The private-profile (INI) file functions the settings file is kept with. Section, key, default
// and value are the bytes stored in the file; the path is UTF-8. The Windows program implements
// this with the system's profile functions, the tests with an in-memory file.
class ProfileFile {
 public:
  virtual ~ProfileFile() = default;
  // The value of `key` in `section` of the file at `path`, surrounding blanks and quotes removed,
  // at most `bufferSize` - 1 bytes of it (a longer value comes back cut); `defaultValue` when the
  // file, the section or the key is missing.
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue, size_t bufferSize,
                                 const std::string& path) = 0;
  // Sets `key` in `section` to `value`, creating the file and the section when needed.
  // True when the file was written.
  virtual bool WriteString(const std::string& section, const std::string& key,
                           const std::string& value, const std::string& path) = 0;
  // Removes `key` from `section`; a key that is not there leaves the file as it is. True unless
  // the file could not be written.
  virtual bool RemoveKey(const std::string& section, const std::string& key,
                         const std::string& path) = 0;
};

// Room for a read value with its terminating NUL at the first attempt; a value that fills it is
// read again with more room, up to the largest value the settings file stores: a path of the
// longest kind Windows holds (32767 characters) in the escaped form, nine bytes a character.
inline constexpr size_t kIniValueBufferSize = 256;
inline constexpr size_t kIniValueBufferLimit = 1 << 20;
// Room for a written section or key name with its NUL: longer names are cut to 127 bytes.
inline constexpr size_t kIniNameFieldSize = 128;

// The value of `key` in `section` of the file at `path`, whole; empty when the key, the section or
// the file is missing.
std::string ReadIniValue(ProfileFile& profile, const std::string& section, const std::string& key,
                         const std::string& path);

// As ReadIniValue, but std::nullopt when the key, the section or the file is missing, so that an
// empty value can be told from no value.
std::optional<std::string> ReadIniValueIfPresent(ProfileFile& profile, const std::string& section,
                                                 const std::string& key, const std::string& path);

// Writes one key, creating the file and the section when needed; section and key names are cut
// to 127 bytes. True when the file was written.
bool WriteIniValue(ProfileFile& profile, const std::string& section, const std::string& key,
                   const std::string& value, const std::string& path);
