#pragma once

#include <optional>
#include <string>
#include <string_view>

// How text values (the music file path) are kept in the settings file.
//
// The file is in the system's ANSI code page, as files written on that system by earlier versions
// are (code page 932, Shift-JIS, on a Japanese system). A text that the code page holds exactly is
// stored as its code-page bytes, so such files stay readable both ways. Any other text (characters
// outside the code page, control characters, or a form the profile functions would alter on
// reading: surrounding blanks, a leading quote) is stored as the marker "<utf-8>" followed by its
// UTF-8 bytes, each byte outside "!" to "~" and each "%" written as "%" and two upper-case hex
// digits. That form is plain ASCII, so it passes any code page unchanged, and "<" cannot begin a
// Windows path, so it is never mistaken for one.

// The system's ANSI code page. The Windows program implements it with the system's code-page
// conversions, the tests with iconv.
class SystemCodePage {
 public:
  virtual ~SystemCodePage() = default;
  // The bytes of `text` (UTF-8) in the code page; std::nullopt when a character has no form there.
  virtual std::optional<std::string> FromText(std::string_view text) = 0;
  // `bytes` read in the code page, as UTF-8; bytes without meaning become a replacement character.
  virtual std::string ToText(std::string_view bytes) = 0;
};

inline constexpr std::string_view kUtf8TextMarker = "<utf-8>";

// The stored form of `text` (valid UTF-8).
std::string EncodeStoredText(std::string_view text, SystemCodePage& codePage);

// The text of a stored value. A value that carries the marker but is not a well-formed escaped
// UTF-8 text (for example one cut at the length limit) is read in the code page like any other.
std::string DecodeStoredText(std::string_view stored, SystemCodePage& codePage);
