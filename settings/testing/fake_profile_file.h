#pragma once

#include <map>
#include <string>

#include "settings/profile_file.h"

// An in-memory profile file for tests: each path holds the file's bytes, read and written the way
// the Windows profile functions do (lines "[section]" and "key=value", names matched without
// regard to ASCII case, values trimmed of blanks and surrounding quotes, CR LF line ends).
class FakeProfileFile : public ProfileFile {
 public:
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue, size_t bufferSize,
                         const std::string& path) override;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& path) override;

  // The bytes of each file by path; a missing entry is a missing file.
  std::map<std::string, std::string> files;
  // Makes every write fail, as in a read-only folder.
  bool readOnly = false;
};
