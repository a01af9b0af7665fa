#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/profile_file.h"
#include "settings/settings_file.h"
#include "settings/stored_text.h"

// The settings file's seams over the system: the profile functions, the ANSI code page and the
// file system, all through the wide entry points so that any path works on a system of any
// language.

// UTF-16 of a UTF-8 text; std::nullopt when the text is not well-formed UTF-8.
std::optional<std::wstring> WideFromUtf8(std::string_view text);
// UTF-8 of a UTF-16 text; a lone surrogate becomes a replacement character.
std::string Utf8FromWide(std::wstring_view text);

// The profile functions. Section, key and value bytes are in the ANSI code page, as in the file,
// and pass through the wide functions converted both ways in that code page.
class Win32ProfileFile : public ProfileFile {
 public:
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue, size_t bufferSize,
                         const std::string& path) override;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& path) override;
  bool RemoveKey(const std::string& section, const std::string& key,
                 const std::string& path) override;
};

// A code page of the system: the ANSI code page (CP_ACP) unless another is named.
class Win32CodePage : public SystemCodePage {
 public:
  explicit Win32CodePage(unsigned int codePage = 0) : codePage_(codePage) {}
  std::optional<std::string> FromText(std::string_view text) override;
  std::string ToText(std::string_view bytes) override;

 private:
  unsigned int codePage_;
};

// Shift-JIS, in which Japanese systems store their values.
inline constexpr unsigned int kShiftJisCodePage = 932;

// Opens a file for reading to see whether it can be; creates folders; reads and replaces files.
class Win32FileSystem : public FileSystem {
 public:
  bool IsReadableFile(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  std::optional<std::string> ReadBytes(const std::string& path) override;
  bool ReplaceWithBytes(const std::string& path, const std::string& bytes) override;
};

// The user's roaming application-data folder (UTF-8), where the per-user settings folder goes;
// empty when the system names none.
std::string ApplicationDataFolder();
