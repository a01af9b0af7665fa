#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "settings/profile_file.h"
#include "settings/stored_text.h"

// An in-memory profile file for tests: each path holds the file's bytes, read and written the way
// the Windows profile functions do (lines "[section]" and "key=value", names matched without
// regard to ASCII case, values trimmed of blanks and surrounding quotes, CR LF line ends).
class FakeProfileFile : public ProfileFile {
 public:
  FakeProfileFile() = default;
  // Names and values pass through `codePage` as through the system's: where it does not give their
  // bytes back unchanged, reads give the default and writes fail.
  explicit FakeProfileFile(SystemCodePage& codePage) : codePage_(&codePage) {}

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue, size_t bufferSize,
                         const std::string& path) override;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& path) override;
  bool RemoveKey(const std::string& section, const std::string& key,
                 const std::string& path) override;

  // The bytes of each file by path; a missing entry is a missing file.
  std::map<std::string, std::string> files;
  // Paths whose writes fail, as in a read-only folder.
  std::set<std::string> unwritable;

 private:
  bool Passes(const std::string& bytes) const;
  // Rewrites the file with `key` set to `value`, or removed when there is no value.
  bool Change(const std::string& section, const std::string& key,
              const std::optional<std::string>& value, const std::string& path);

  SystemCodePage* codePage_ = nullptr;
};
